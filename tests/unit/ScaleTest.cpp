// The program at every display scale, 96 dpi included: one rounding rule turns
// twips and 96-dpi pixels into a window's pixels, and the face (shape,
// frame, picture) and the focus marker are drawn at the window's scale, also
// when the window moves to a monitor of another scale.
#include <gtest/gtest.h>

#include <tuple>

#include "ProgramFixture.h"
#include "platform/Dpi.h"

namespace {

using platform::Dpi;

TEST(DpiRule, DesignPixelsTwipsAndPixelsAgreeAtEveryScale) {
    // 15 twips are one 96-dpi pixel whatever the scale: a layout in twips
    // and a size in 96-dpi pixels land on the same pixels.
    for (int dpi = 72; dpi <= 480; ++dpi) {
        for (int pixels96 = 0; pixels96 <= 400; ++pixels96) {
            ASSERT_EQ(Dpi(dpi).ToPixels(pixels96 * 15), Dpi(dpi).Scale(pixels96))
                << pixels96 << " pixels at " << dpi << " dpi";
        }
    }
    // Halves round away from zero; pixels survive the trip through twips.
    EXPECT_EQ(Dpi(144).Scale(199), 299);  // 298.5
    EXPECT_EQ(Dpi(144).Scale(179), 269);  // 268.5
    EXPECT_EQ(Dpi(120).Scale(199), 249);  // 248.75
    EXPECT_EQ(Dpi(192).Scale(199), 398);
    EXPECT_EQ(Dpi(144).ToPixels(-15), -2);  // -1.5, as MulDiv rounds it
    EXPECT_EQ(Dpi(192).TwipsPerPixel(), 7.5);
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int pixels = -50; pixels <= 2000; ++pixels) {
            ASSERT_EQ(Dpi(dpi).ToPixels(Dpi(dpi).ToTwips(pixels)), pixels)
                << pixels << " pixels at " << dpi << " dpi";
        }
    }
    EXPECT_EQ(Dpi(0), Dpi(96)) << "a system that cannot tell its scale has 96 dpi";
}

// A window that goes to a monitor of another scale.
class MovingToAnotherScale : public testing_support::ProgramFixture {
protected:
    offscreen::OffscreenWindow& Window(const char* name) { return *Platform().FindWindow(name); }
    platform::Rgb ButtonFace() {
        return Platform().Graphics().SysColor(platform::syscolor::kButtonFace);
    }
    platform::Rgb ButtonText() {
        return Platform().Graphics().SysColor(platform::syscolor::kButtonText);
    }
    const offscreen::Bitmap& Marker() {
        return dynamic_cast<const offscreen::OffscreenSurface&>(Main().FocusMarker()).Image();
    }
};

class AtScale : public MovingToAnotherScale, public testing::WithParamInterface<int> {
protected:
    void SetUp() override { Start(testing_support::kAfterChangeover, {}, Dpi(GetParam())); }
};

// The face of a window at `dpi`, as the design scales it.
void ExpectTheScaledFace(offscreen::OffscreenWindow& window, int dpi, platform::Rgb buttonFace) {
    const Dpi scale(dpi);
    const auto s = [scale](int pixels96) { return scale.Scale(pixels96); };
    const offscreen::Bitmap& image = window.Image();
    ASSERT_EQ(image.Width(), s(199));
    ASSERT_EQ(image.Height(), s(179));
    ASSERT_TRUE(window.Shape().has_value());
    const platform::WindowShape& shape = *window.Shape();

    // Each corner of the disc and of the bars, scaled by itself.
    const auto corners = [](const platform::WindowShape::Rect& rect) {
        return std::tuple(rect.left, rect.top, rect.right, rect.bottom);
    };
    EXPECT_EQ(corners(shape.disc), std::tuple(s(20), 0, s(199), s(179)));
    ASSERT_EQ(shape.bars.size(), 2u);
    EXPECT_EQ(corners(shape.bars[0]), std::tuple(0, s(63), s(30), s(80)));
    EXPECT_EQ(corners(shape.bars[1]), std::tuple(0, s(99), s(30), s(116)));

    // The frame: s(2) pixels along the inside of the region's edge, across
    // the bar's left end and down from the disc's top.
    const int frame = s(2);
    for (int x = 0; x < frame; ++x)
        EXPECT_EQ(image.Pixel(x, s(70)), buttonFace) << "column " << x << " of the bar";
    EXPECT_NE(image.Pixel(frame, s(70)), buttonFace);
    for (int y = 0; y < frame; ++y)
        EXPECT_EQ(image.Pixel(s(109), y), buttonFace) << "row " << y << " of the disc";
    EXPECT_NE(image.Pixel(s(109), frame), buttonFace);

    // The picture: olive inside the bars and the arc, nothing outside the
    // region, the arc cut straight at the scaled column 103.
    const platform::Rgb olive = platform::MakeRgb(179, 181, 11);
    EXPECT_EQ(image.Pixel(frame, s(70)), olive);
    EXPECT_EQ(image.Pixel(s(79), s(70)), olive);
    EXPECT_NE(image.Pixel(s(80), s(70)), olive);
    EXPECT_EQ(image.Pixel(s(60), s(113)), olive) << "the lower bar";
    EXPECT_EQ(image.Pixel(s(30), s(89)), olive) << "the arc";
    EXPECT_NE(image.Pixel(s(60), s(89)), olive) << "inside the arc";
    int outside = 0, pastTheCut = 0, drawn = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            if (image.Pixel(x, y) != olive)
                continue;
            ++drawn;
            outside += !offscreen::ShapeCovers(shape, x, y);
            pastTheCut += x >= s(103);
        }
    }
    EXPECT_EQ(outside, 0) << "olive pixels outside the region";
    EXPECT_EQ(pastTheCut, 0) << "olive pixels right of the arc's cut";
    EXPECT_GT(drawn, s(80) * s(17)) << "the sign is missing";
}

// A solid triangle pointing left, s(6) x s(12), from a short tip to a full
// base, level with the middle.
void ExpectTheScaledMarker(const offscreen::Bitmap& marker, int dpi, platform::Rgb ink) {
    const Dpi scale(dpi);
    ASSERT_EQ(marker.Width(), scale.Scale(6));
    ASSERT_EQ(marker.Height(), scale.Scale(12));
    const auto rows = [&](int x) {
        int first = -1, count = 0;
        for (int y = 0; y < marker.Height(); ++y) {
            if (marker.Pixel(x, y) == ink) {
                first = first < 0 ? y : first;
                ++count;
            }
        }
        return std::pair{first, count};
    };
    EXPECT_EQ(rows(marker.Width() - 1), std::pair(0, marker.Height())) << "the base";
    int previous = 0;
    for (int x = 0; x < marker.Width(); ++x) {
        const auto [first, count] = rows(x);
        EXPECT_GE(count, previous) << "column " << x << " is shorter than the one left of it";
        EXPECT_EQ(2 * first + count, marker.Height()) << "column " << x << " is off the middle";
        previous = count;
    }
    EXPECT_LE(rows(0).second, scale.Scale(2)) << "the tip";
}

TEST_P(AtScale, EveryWindowHasTheScaledFace) {
    ExpectTheScaledFace(Window("frmConvalis"), GetParam(), ButtonFace());
    for (const char* keys : {"Alt+Z", "Alt+O"}) {
        Queue({keys});
        Then([&] {
            offscreen::OffscreenWindow* opened = Platform().ActiveWindow();
            ASSERT_NE(opened, &Window("frmConvalis")) << keys << " opened no window";
            ExpectTheScaledFace(*opened, GetParam(), ButtonFace());
        });
        Queue({"Alt+F4"});
        Run();
    }
}

TEST_P(AtScale, TheMarkerIsDrawnForTheScaleBesideTheFirstDisplay) {
    ExpectTheScaledMarker(Marker(), GetParam(), ButtonText());
    const platform::Bounds display = Main().Display(0).Placement();
    EXPECT_EQ(Main().FocusMarker().Placement().left, display.left + display.width + 70);
}

INSTANTIATE_TEST_SUITE_P(Dpi, AtScale, testing::Values(96, 120, 144, 192));

TEST_F(MovingToAnotherScale, TheWindowIsDrawnAgainAtTheNewScale) {
    Start();
    const platform::Bounds marker = Main().FocusMarker().Placement();
    // On a window colour of another scheme, the marker is drawn in the same ink.
    Platform().Gdi().SetSysColor(platform::syscolor::kWindow, platform::MakeRgb(1, 2, 3));
    Platform().PostDpiChange("frmConvalis", Dpi(144));
    Run();
    ExpectTheScaledFace(Window("frmConvalis"), 144, ButtonFace());
    // Nothing of the frame at 96 dpi is left: its right edge lies inside
    // the disc now.
    EXPECT_NE(Window("frmConvalis").Image().Pixel(198, 89), ButtonFace());
    ExpectTheScaledMarker(Marker(), 144, ButtonText());
    EXPECT_EQ(Main().FocusMarker().Placement().left, marker.left) << "the marker moved";

    // And back.
    Platform().PostDpiChange("frmConvalis", Dpi(96));
    Run();
    ExpectTheScaledFace(Window("frmConvalis"), 96, ButtonFace());
}

TEST_F(MovingToAnotherScale, ADraggedWindowKeepsThePressedPointUnderThePointer) {
    Start(testing_support::kAfterChangeover, {}, Dpi(192));
    // At 7.5 twips per pixel: the window's left edge at pixel 400.
    platform::Bounds bounds = Main().Window().Placement();
    Main().Window().Move({3000, 1500, bounds.width, bounds.height});
    const Dpi at192(192);
    // A press on the body at client twips (2625, 900): pixel (350, 120).
    Platform().PostMouseDown(400 + 350, 200 + 120);
    Platform().PostMouseMove(800, 320);
    Run();
    ASSERT_TRUE(Main().Drag().Dragging());
    EXPECT_EQ(at192.ToPixels(Main().Window().Placement().left), 800 - 350);

    // Over a monitor of 144 dpi: the same point of the window, in twips,
    // stays under the pointer.
    Platform().PostDpiChange("frmConvalis", Dpi(144));
    Platform().PostMouseMove(700, 300);
    Platform().PostMouseUp(700, 300);
    Run();
    EXPECT_EQ(Main().Window().Placement().left, 700 * 10 - 2625);
    EXPECT_EQ(Dpi(144).ToPixels(Main().Window().Placement().width), 299);
}

}  // namespace
