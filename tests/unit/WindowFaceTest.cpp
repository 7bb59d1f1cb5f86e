// The coin face every window shares — region, frame, picture — and dragging
// the main window with the mouse.
#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "chrome/WindowDrag.h"

namespace {

using platform::MakeRgb;

const platform::Rgb kOlive = MakeRgb(179, 181, 11);

class WindowFace : public testing_support::ProgramFixture {
protected:
    offscreen::OffscreenWindow& MainWindow() { return *Platform().FindWindow("frmConvalis"); }
    platform::Rgb ButtonFace() {
        return Platform().Graphics().SysColor(platform::syscolor::kButtonFace);
    }
    platform::Rgb Ground() { return Platform().Graphics().SysColor(platform::syscolor::kWindow); }
    int PixelsOf(const offscreen::Bitmap& image, platform::Rgb color) {
        int count = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x)
                count += image.Pixel(x, y) == color;
        }
        return count;
    }
};

TEST_F(WindowFace, TheRegionIsTheDiscWithTwoBars) {
    Start();
    const std::optional<platform::WindowShape>& shape = MainWindow().Shape();
    ASSERT_TRUE(shape.has_value());
    struct Probe {
        int x, y;
        bool inside;
    };
    for (Probe p :
         {Probe{109, 89, true}, Probe{109, 0, true}, Probe{198, 89, true}, Probe{0, 63, true},
          Probe{29, 79, true}, Probe{0, 99, true}, Probe{29, 115, true}, Probe{10, 20, false},
          Probe{10, 90, false}, Probe{0, 62, false}, Probe{0, 80, false}, Probe{0, 116, false},
          Probe{25, 5, false}, Probe{198, 5, false}, Probe{199, 89, false}}) {
        EXPECT_EQ(offscreen::ShapeCovers(*shape, p.x, p.y), p.inside) << p.x << "," << p.y;
    }
}

TEST_F(WindowFace, TheFrameRunsAlongTheInsideOfTheRegion) {
    Start();
    const offscreen::Bitmap& image = MainWindow().Image();
    ASSERT_EQ(image.Width(), 199);
    ASSERT_EQ(image.Height(), 179);
    // Round the disc, two pixels deep.
    for (auto [x, y] :
         {std::pair{109, 0}, {109, 1}, {109, 178}, {109, 177}, {198, 89}, {197, 89}}) {
        EXPECT_EQ(image.Pixel(x, y), ButtonFace()) << x << "," << y;
    }
    // Round the three outer edges of each bar end.
    for (auto [x, y] :
         {std::pair{0, 70}, {1, 70}, {10, 63}, {10, 64}, {10, 79}, {10, 78}, {0, 105}, {10, 115}}) {
        EXPECT_EQ(image.Pixel(x, y), ButtonFace()) << x << "," << y;
    }
    // And nowhere inside.
    for (auto [x, y] : {std::pair{109, 2}, {195, 89}, {2, 70}, {10, 65}, {109, 89}}) {
        EXPECT_NE(image.Pixel(x, y), ButtonFace()) << x << "," << y;
    }
}

TEST_F(WindowFace, ThePictureIsAnOliveEuroSignOnTheWindowColour) {
    Start();
    const offscreen::Bitmap& image = MainWindow().Image();
    // The arc, cut straight at column 102.
    EXPECT_EQ(image.Pixel(30, 89), kOlive);
    EXPECT_EQ(image.Pixel(102, 10), kOlive);
    EXPECT_EQ(image.Pixel(103, 10), Ground());
    EXPECT_EQ(image.Pixel(102, 168), kOlive);
    // Inside the arc's inner circle, and right of the cut.
    EXPECT_EQ(image.Pixel(60, 89), Ground());
    EXPECT_EQ(image.Pixel(150, 89), Ground());
    // The two bars, columns 0 to 79, crossing the arc.
    EXPECT_EQ(image.Pixel(2, 70), kOlive);
    EXPECT_EQ(image.Pixel(79, 70), kOlive);
    EXPECT_EQ(image.Pixel(80, 70), Ground());
    EXPECT_EQ(image.Pixel(60, 113), kOlive);
    EXPECT_EQ(image.Pixel(60, 90), Ground());
}

TEST_F(WindowFace, NoFrameBeforeTheRegionNorWhileMinimised) {
    offscreen::ProgramFacts hidden;
    hidden.commandLine = "/Hidden";
    Start(testing_support::kAfterChangeover, hidden);
    // Loaded but never shown: its resizes came before the region.
    EXPECT_EQ(PixelsOf(MainWindow().Image(), ButtonFace()), 0);
    MainWindow().Show();
    int framePixels = PixelsOf(MainWindow().Image(), ButtonFace());
    EXPECT_GT(framePixels, 0);

    // The frame takes the button-face colour of the moment it is painted.
    const platform::Rgb scheme = MakeRgb(1, 2, 3);
    Platform().Gdi().SetSysColor(platform::syscolor::kButtonFace, scheme);
    MainWindow().SetMinimized(true);
    EXPECT_EQ(PixelsOf(MainWindow().Image(), scheme), 0);
    MainWindow().SetMinimized(false);
    EXPECT_EQ(PixelsOf(MainWindow().Image(), scheme), framePixels);
}

TEST_F(WindowFace, TheEuroZoneWindowHasTheSameFace) {
    Start();
    Queue({"Alt+Z"});
    Then([&] {
        offscreen::OffscreenWindow& zone = *Platform().FindWindow("frmZoneEuro");
        ASSERT_TRUE(zone.Shape().has_value());
        EXPECT_FALSE(offscreen::ShapeCovers(*zone.Shape(), 10, 20));
        EXPECT_TRUE(offscreen::ShapeCovers(*zone.Shape(), 5, 70));
        EXPECT_EQ(zone.Image().Pixel(0, 70), ButtonFace());
        EXPECT_EQ(zone.Image().Pixel(60, 70), kOlive);
    });
    Run();
}

// Dragging, with the main window placed at pixel (200, 100) of a screen of
// 15 twips per pixel.
class Dragging : public WindowFace {
protected:
    void SetUp() override {
        Start();
        platform::Bounds bounds = Main().Window().Placement();
        Main().Window().Move({3000, 1500, bounds.width, bounds.height});
    }
    platform::Bounds Where() { return Main().Window().Placement(); }
    void Mouse(void (offscreen::OffscreenPlatform::*post)(int, int, int, int), int x, int y,
               int button = platform::button::kLeft) {
        (Platform().*post)(x, y, button, 0);
        Run();
    }
    void Down(int x, int y, int button = platform::button::kLeft) {
        Mouse(&offscreen::OffscreenPlatform::PostMouseDown, x, y, button);
    }
    void Up(int x, int y, int button = platform::button::kLeft) {
        Mouse(&offscreen::OffscreenPlatform::PostMouseUp, x, y, button);
    }
    void MoveTo(int x, int y) {
        Platform().PostMouseMove(x, y);
        Run();
    }
};

TEST_F(Dragging, FollowsThePointerFromThePressedPoint) {
    platform::Window& window = Main().Window();
    chrome::WindowDrag drag(Platform(), window);
    drag.Start(600, 300);
    EXPECT_EQ(Platform().Capture(), window.Handle());
    Platform().PostMouseMove(200, 100);
    Run();
    drag.Move();
    EXPECT_EQ(Where().left, 2400);
    EXPECT_EQ(Where().top, 1200);
    EXPECT_EQ(Where().width, 2985);
    drag.Release();
    EXPECT_EQ(Platform().Capture(), 0u);
}

TEST_F(Dragging, ThePressedPointOfTheBodyStaysUnderThePointer) {
    // Client point (2625, 900) twips, on the body, is screen pixel (375, 160).
    Down(375, 160);
    EXPECT_TRUE(Main().Drag().Dragging());
    EXPECT_EQ(Main().Drag().DragOffsetX(), 2625.0f);
    EXPECT_EQ(Main().Drag().DragOffsetY(), 900.0f);
    MoveTo(200, 100);
    EXPECT_EQ(Where().left, 375);
    EXPECT_EQ(Where().top, 600);
    // The pointer may leave the window: the capture keeps it following.
    MoveTo(900, 700);
    EXPECT_EQ(Where().left, 900 * 15 - 2625);
    EXPECT_EQ(Where().top, 700 * 15 - 900);
    Up(900, 700);
    EXPECT_FALSE(Main().Drag().Dragging());
    EXPECT_EQ(Platform().Capture(), 0u);
    MoveTo(100, 100);
    EXPECT_EQ(Where().left, 900 * 15 - 2625);
}

TEST_F(Dragging, TheRightButtonDragsFromLabelsButNotFromTheBody) {
    Down(375, 160, platform::button::kRight);
    EXPECT_FALSE(Main().Drag().Dragging());
    Up(375, 160, platform::button::kRight);
    // Display 2 spans twips 1320..2655 by 1560..1785: pixel (300, 210).
    Down(300, 210, platform::button::kRight);
    EXPECT_TRUE(Main().Drag().Dragging());
    EXPECT_EQ(Main().Drag().DragOffsetX(), 1500.0f);
    EXPECT_EQ(Main().Drag().DragOffsetY(), 1650.0f);
    MoveTo(310, 215);
    EXPECT_EQ(Where().left, 3150);
    EXPECT_EQ(Where().top, 1575);
    Up(310, 215, platform::button::kRight);
    EXPECT_FALSE(Main().Drag().Dragging());
}

TEST_F(Dragging, PressAndReleaseOnADisplayMovesNothingAndSelectsNothing) {
    Down(300, 210);
    Up(300, 210);
    EXPECT_EQ(Where().left, 3000);
    EXPECT_EQ(Where().top, 1500);
    EXPECT_EQ(Main().ActiveField(), 0);
}

TEST_F(Dragging, ButtonsTheMarkerAndPixelsOutsideTheRegionStartNothing) {
    // imaCommand(0) spans twips 1200..1440 by 120..360: pixel (290, 110).
    Down(290, 110);
    Up(290, 110);
    EXPECT_FALSE(Main().Drag().Dragging());
    EXPECT_FALSE(Main().Loaded()) << "the close button was clicked";

    SetUp();
    platform::Bounds marker = Main().FocusMarker().Placement();
    int x = (3000 + marker.left) / 15 + 2, y = (1500 + marker.top) / 15 + 6;
    Down(x, y);
    EXPECT_FALSE(Main().Drag().Dragging());
    Up(x, y);
    // Column 10, row 20 of the window is outside its region: behind it lies
    // no window of the program.
    Down(200 + 10, 100 + 20);
    EXPECT_FALSE(Main().Drag().Dragging());
    Down(200 + 10, 100 + 70);  // on the upper bar
    EXPECT_TRUE(Main().Drag().Dragging());
}

}  // namespace
