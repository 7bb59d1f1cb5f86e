// The coin face every window shares — its region and frame are checked at
// every scale in ScaleTest.cpp —, where the controls of every window lie,
// and dragging the main window with the mouse.
#include <gtest/gtest.h>

#include <algorithm>

#include "ProgramFixture.h"

namespace {

using platform::MakeRgb;

class WindowFace : public testing_support::ProgramFixture {
protected:
    offscreen::OffscreenWindow& MainWindow() { return *Platform().FindWindow("frmConvalis"); }
    platform::Rgb ButtonFace() {
        return Platform().Graphics().SysColor(platform::syscolor::kButtonFace);
    }
    int PixelsOf(const offscreen::Bitmap& image, platform::Rgb color) {
        int count = 0;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x)
                count += image.Pixel(x, y) == color;
        }
        return count;
    }
};

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

// Every control of every window inside the window, each label one line of
// text high, and none over another by
// more than a pixel (the boxes of a few labels touch by one): a control
// placed wrong is cut off or hides its neighbour. (The scrolling line of the
// about box starts outside on purpose; lines only separate.)
TEST_F(WindowFace, EveryControlLiesInsideItsWindowAndOverlapsNoOther) {
    const auto checkLayout = [&](const char* name) {
        const offscreen::OffscreenWindow& window = *Platform().FindWindow(name);
        std::vector<std::pair<std::string, platform::Bounds>> placed;
        for (const char* control :
             {"lblEti", "lblP", "Line1", "imaCommand", "nrvFocus", "lblTitle", "lblVersion",
              "lblWeb", "lblMail", "lblAction", "chkDémarrage", "chkAppoint"}) {
            for (int index = -1; index < 8; ++index) {
                const platform::Control* found = window.FindControl(control, index);
                if (found == nullptr || !found->Visible())
                    continue;
                const platform::Bounds at = found->Placement();
                const std::string named = control + std::to_string(index);
                EXPECT_TRUE(at.left >= 0 && at.top >= 0 &&
                            at.left + at.width <= window.Placement().width &&
                            at.top + at.height <= window.Placement().height)
                    << name << " " << named;
                const bool label = std::string(control).rfind("lbl", 0) == 0;
                EXPECT_TRUE(!label || at.height <= 255) << name << " " << named << " is two lines";
                if (std::string(control) != "Line1")
                    placed.emplace_back(named, at);
            }
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
                    << name << ": " << placed[i].first << " over " << placed[j].first;
            }
        }
    };
    Start(testing_support::kBeforeChangeover);
    checkLayout("frmConvalis");
    for (const char* opening : {"Alt+Z", "Alt+O"}) {
        Queue({opening});
        Then([&] { checkLayout(Platform().ActiveWindow()->Name().c_str()); });
        Queue({"Alt+F4"});
    }
    QueueClick("imaCommand", converter::frmConvalis::kAbout);
    Then([&] { checkLayout("frmAbout"); });
    Queue({"Escape"});
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
    // imaCommand(1), the hide button, spans twips 960..1200 by 120..360: a
    // click at its upper part, pixel (272, 110), hides the window.
    Down(272, 110);
    Up(272, 110);
    EXPECT_FALSE(Main().Window().Visible()) << "the hide button was not clicked";
    Platform().PostIconDoubleClick();
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
