// What the offscreen platform draws of the windows at every display scale:
// the coin face (shape, frame, picture) and the focus marker, also when a
// window moves to a monitor of another scale; where the controls lie; and
// dragging the main window with the mouse.
#include <algorithm>
#include <tuple>

#include "OffscreenProgramTest.h"

namespace program_tests {
namespace {

using platform::Dpi;

class Pictures : public OffscreenProgramTest {
protected:
    platform::Rgb SysColor(int index) { return Offscreen().Graphics().SysColor(index); }
    const offscreen::Bitmap& Marker() {
        return dynamic_cast<const offscreen::OffscreenSurface&>(Main().FocusMarker()).Image();
    }
    // Checks `check` on the main window, then on each window the keys open.
    void OnEveryWindow(const std::function<void(offscreen::OffscreenWindow&)>& check) {
        check(Window("frmConvalis"));
        for (const char* keys : {"Alt+Z", "Alt+O"}) {
            Queue({keys});
            Then([&] { check(*Offscreen().ActiveWindow()); });
            Queue({"Alt+F4"});
        }
        QueueClick("A propos de...");
        Then([&] { check(*Offscreen().ActiveWindow()); });
        Queue({"Escape"});
        Run();
    }
    void Down(int x, int y, int button = platform::button::kLeft) {
        Offscreen().PostMouseDown(x, y, button);
        Run();
    }
    void Up(int x, int y, int button = platform::button::kLeft) {
        Offscreen().PostMouseUp(x, y, button);
        Run();
    }
    void MoveTo(int x, int y) {
        Offscreen().PostMouseMove(x, y);
        Run();
    }
    // Places the main window's left edge at twips (left, top).
    void Place(int left, int top) {
        const platform::Bounds bounds = Main().Window().Placement();
        Main().Window().Move({left, top, bounds.width, bounds.height});
    }
    // Where the main window's left edge is, in twips.
    std::pair<int, int> Where() {
        return {Main().Window().Placement().left, Main().Window().Placement().top};
    }
};

class AtScale : public Pictures, public testing::WithParamInterface<int> {};

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
    EXPECT_EQ(image.Pixel(s(22), s(89)), olive) << "the arc at the rim, inside the frame";
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

TEST_P(AtScale, EveryWindowHasTheScaledFaceAndTheMarkerItsScale) {
    Start(kAfterChangeover, {}, Dpi(GetParam()));
    const platform::Rgb buttonFace = SysColor(platform::syscolor::kButtonFace);
    ExpectTheScaledMarker(Marker(), GetParam(), SysColor(platform::syscolor::kButtonText));
    const platform::Bounds display = Main().Display(0).Placement();
    EXPECT_EQ(Main().FocusMarker().Placement().left, display.left + display.width + 70);
    OnEveryWindow([&](offscreen::OffscreenWindow& window) {
        ExpectTheScaledFace(window, GetParam(), buttonFace);
    });
}

INSTANTIATE_TEST_SUITE_P(Dpi, AtScale, testing::Values(96, 120, 144, 192));

TEST_F(Pictures, AWindowMovedToAnotherScaleIsDrawnAgainAtIt) {
    Start();
    const platform::Rgb buttonFace = SysColor(platform::syscolor::kButtonFace);
    const platform::Bounds marker = Main().FocusMarker().Placement();
    // On a window colour of another scheme, the marker is drawn in the same ink.
    Offscreen().Gdi().SetSysColor(platform::syscolor::kWindow, platform::MakeRgb(1, 2, 3));
    Offscreen().PostDpiChange("frmConvalis", Dpi(144));
    Run();
    ExpectTheScaledFace(Window("frmConvalis"), 144, buttonFace);
    // Nothing of the frame at 96 dpi is left: its right edge lies inside
    // the disc now.
    EXPECT_NE(Window("frmConvalis").Image().Pixel(198, 89), buttonFace);
    ExpectTheScaledMarker(Marker(), 144, SysColor(platform::syscolor::kButtonText));
    EXPECT_EQ(Main().FocusMarker().Placement().left, marker.left) << "the marker moved";
    Offscreen().PostDpiChange("frmConvalis", Dpi(96));
    Run();
    ExpectTheScaledFace(Window("frmConvalis"), 96, buttonFace);
}

TEST_F(Pictures, NoFrameBeforeTheRegionNorWhileMinimised) {
    offscreen::ProgramFacts hidden;
    hidden.commandLine = "/Hidden";
    Start(kAfterChangeover, hidden);
    offscreen::OffscreenWindow& window = Window("frmConvalis");
    const auto pixelsOf = [&](platform::Rgb color) {
        const offscreen::Bitmap& image = window.Image();
        int count = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x)
                count += image.Pixel(x, y) == color;
        }
        return count;
    };
    // Loaded but never shown: its resizes came before the region.
    EXPECT_EQ(pixelsOf(SysColor(platform::syscolor::kButtonFace)), 0);
    window.Show();
    const int framePixels = pixelsOf(SysColor(platform::syscolor::kButtonFace));
    EXPECT_GT(framePixels, 0);
    // The frame takes the button-face colour of the moment it is painted.
    const platform::Rgb scheme = platform::MakeRgb(1, 2, 3);
    Offscreen().Gdi().SetSysColor(platform::syscolor::kButtonFace, scheme);
    window.SetMinimized(true);
    EXPECT_EQ(pixelsOf(scheme), 0);
    window.SetMinimized(false);
    EXPECT_EQ(pixelsOf(scheme), framePixels);
}

// Every control of every window inside the window, each label one line of
// text high, and none over another by more than a pixel (the boxes of a
// few labels touch by one): a control placed wrong is cut off or hides its
// neighbour. (The about box's scrolling line starts outside on purpose.)
TEST_F(Pictures, EveryControlLiesInsideItsWindowAndOverlapsNoOther) {
    Start(kBeforeChangeover);
    OnEveryWindow([&](offscreen::OffscreenWindow& window) {
        std::vector<std::pair<std::string, platform::Bounds>> placed;
        for (const char* control :
             {"lblEti", "lblP", "Line1", "imaCommand", "nrvFocus", "lblTitle", "lblVersion",
              "lblWeb", "lblMail", "lblAction", "chkDémarrage", "chkAppoint"}) {
            for (int index = -1; index < 8; ++index) {
                const platform::Control* found = window.FindControl(control, index);
                if (found == nullptr || !found->Visible())
                    continue;
                const platform::Bounds at = found->Placement();
                const std::string named = window.Name() + " " + control + std::to_string(index);
                EXPECT_TRUE(at.left >= 0 && at.top >= 0 &&
                            at.left + at.width <= window.Placement().width &&
                            at.top + at.height <= window.Placement().height)
                    << named;
                const bool label = std::string(control).rfind("lbl", 0) == 0;
                EXPECT_TRUE(!label || at.height <= 255) << named << " is two lines";
                if (std::string(control) != "Line1")
                    placed.emplace_back(named, at);
            }
        }
        // The displays read from the top down in the order of their fields,
        // each separator line under its display and most of its width.
        for (int i = 1; const platform::Control* display = window.FindControl("lblP", i); ++i)
            EXPECT_GT(display->Placement().top, window.FindControl("lblP", i - 1)->Placement().top)
                << window.Name() << " lblP" << i;
        for (int i = 0; const platform::Control* line = window.FindControl("Line1", i); ++i) {
            const platform::Bounds at = line->Placement();
            const platform::Bounds over = window.FindControl("lblP", i)->Placement();
            EXPECT_TRUE(at.top >= over.top + over.height && 2 * at.width > over.width) << i;
        }
        for (std::size_t i = 0; i < placed.size(); ++i) {
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                const platform::Bounds& a = placed[i].second;
                const platform::Bounds& b = placed[j].second;
                const int across =
                    std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
                const int down =
                    std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
                EXPECT_FALSE(across > 15 && down > 15)
                    << placed[i].first << " over " << placed[j].first;
            }
        }
    });
}

// The main window placed at pixel (200, 100) of a screen of 15 twips per pixel.
TEST_F(Pictures, ThePressedPointOfADraggedWindowStaysUnderThePointer) {
    Start();
    Place(3000, 1500);
    // Client point (2625, 900) twips, on the body, is screen pixel (375, 160).
    Down(375, 160);
    EXPECT_EQ(std::pair(Main().Drag().DragOffsetX(), Main().Drag().DragOffsetY()),
              std::pair(2625.0f, 900.0f));
    MoveTo(200, 100);
    EXPECT_EQ(Where(), std::pair(375, 600));
    // The pointer may leave the window: the capture keeps it following.
    MoveTo(900, 700);
    EXPECT_EQ(Where(), std::pair(900 * 15 - 2625, 700 * 15 - 900));
    Up(900, 700);
    EXPECT_FALSE(Main().Drag().Dragging());
    EXPECT_EQ(Offscreen().Capture(), 0u);
    MoveTo(100, 100);
    EXPECT_EQ(Where(), std::pair(900 * 15 - 2625, 700 * 15 - 900));

    // The right button drags from a display, not from the body. Display 2
    // spans twips 1320..2655 by 1560..1785: pixel (300, 210).
    Place(3000, 1500);
    Down(375, 160, platform::button::kRight);
    EXPECT_FALSE(Main().Drag().Dragging());
    Up(375, 160, platform::button::kRight);
    Down(300, 210, platform::button::kRight);
    EXPECT_EQ(std::pair(Main().Drag().DragOffsetX(), Main().Drag().DragOffsetY()),
              std::pair(1500.0f, 1650.0f));
    MoveTo(310, 215);
    EXPECT_EQ(Where(), std::pair(3150, 1575));
    Up(310, 215, platform::button::kRight);
    // A left press and release there moves nothing and selects nothing.
    Down(310, 215);
    Up(310, 215);
    EXPECT_EQ(Where(), std::pair(3150, 1575));
    EXPECT_EQ(Main().ActiveField(), 0);
}

TEST_F(Pictures, ButtonsTheMarkerAndPixelsOutsideTheRegionStartNoDrag) {
    Start();
    Place(3000, 1500);
    // imaCommand(1), the hide button, spans twips 960..1200 by 120..360: a
    // click at its upper part, pixel (272, 110), hides the window.
    Down(272, 110);
    Up(272, 110);
    EXPECT_FALSE(Main().Window().Visible()) << "the hide button was not clicked";
    Offscreen().PostIconDoubleClick();
    const platform::Bounds marker = Main().FocusMarker().Placement();
    const int x = (3000 + marker.left) / 15 + 2, y = (1500 + marker.top) / 15 + 6;
    Down(x, y);
    EXPECT_FALSE(Main().Drag().Dragging());
    Up(x, y);
    // Column 10, row 20 of the window is outside its region.
    Down(200 + 10, 100 + 20);
    EXPECT_FALSE(Main().Drag().Dragging());
    Down(200 + 10, 100 + 70);  // on the upper bar
    EXPECT_TRUE(Main().Drag().Dragging());
    Up(200 + 10, 100 + 70);
    // imaCommand(0) spans twips 1200..1440 by 120..360: pixel (290, 110).
    Place(3000, 1500);
    Down(290, 110);
    Up(290, 110);
    EXPECT_FALSE(Main().Loaded()) << "the close button was not clicked";
}

// At 7.5 twips per pixel, then over a monitor of 144 dpi: the same point of
// the window, in twips, stays under the pointer.
TEST_F(Pictures, ADragKeepsThePressedPointAcrossScales) {
    Start(kAfterChangeover, {}, Dpi(192));
    Place(3000, 1500);  // pixel (400, 200)
    // A press on the body at client twips (2625, 900): pixel (350, 120).
    Offscreen().PostMouseDown(400 + 350, 200 + 120);
    MoveTo(800, 320);
    ASSERT_TRUE(Main().Drag().Dragging());
    EXPECT_EQ(Dpi(192).ToPixels(Where().first), 800 - 350);
    Offscreen().PostDpiChange("frmConvalis", Dpi(144));
    MoveTo(700, 300);
    Up(700, 300);
    EXPECT_EQ(Where().first, 700 * 10 - 2625);
    EXPECT_EQ(Dpi(144).ToPixels(Main().Window().Placement().width), 299);
}

}  // namespace
}  // namespace program_tests
