// Moving the main window, which has no title bar: a press on its body (left
// button), a display or a caption (any button) and a drag move it with the
// pointer, the pressed point staying under the pointer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// A point of the body with no control on it.
constexpr POINT kBodyPoint{150, 72};
// Steps of a quick hand's drag: each waits until the window has followed.
constexpr int kStepPixels = 25;

POINT Offset(POINT point, int dx, int dy) {
    return {point.x + dx, point.y + dy};
}

POINT TopLeft(HWND window) {
    const RECT rect = WindowRect(window);
    return {rect.left, rect.top};
}

class WindowDrag : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
        start_ = TopLeft(app_.MainWindow());
    }

    // A drag by (dx, dy) from `from`, in steps (by default a few pixels
    // each), each waiting until the window has moved by as much as the
    // pointer: the window stays under the pointer all the way.
    testing::AssertionResult Drag(POINT from, int dx, int dy, int steps = 0,
                                  DWORD down = MOUSEEVENTF_LEFTDOWN,
                                  DWORD up = MOUSEEVENTF_LEFTUP) const {
        steps = steps > 0 ? steps : std::max(1, std::max(std::abs(dx), std::abs(dy)) / kStepPixels);
        std::vector<POINT> path;
        for (int step = 1; step <= steps; ++step) {
            path.push_back(Offset(from, dx * step / steps, dy * step / steps));
        }
        const POINT windowStart = TopLeft(app_.MainWindow());
        return app_.Main().Drag(
            from, path,
            [&](POINT pointer) {
                const POINT expected = Offset(windowStart, pointer.x - from.x, pointer.y - from.y);
                const POINT now = TopLeft(app_.MainWindow());
                return now.x == expected.x && now.y == expected.y;
            },
            down, up);
    }

    testing::AssertionResult IsAt(int dx, int dy) const {
        const POINT expected = Offset(start_, dx, dy);
        if (WaitUntil([&] {
                const POINT now = TopLeft(app_.MainWindow());
                return now.x == expected.x && now.y == expected.y;
            })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the window is at " << Describe(TopLeft(app_.MainWindow())) << ", expected "
               << Describe(expected);
    }

    ProgramUnderTest app_;
    POINT start_{};
};

// The pressed point stays under the pointer, drag after drag.
TEST_F(WindowDrag, TheWindowFollowsThePointerFromItsBodyOrADisplay) {
    const POINT from = app_.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(from, 120, 60));
    EXPECT_TRUE(IsAt(120, 60));
    ASSERT_TRUE(Drag(Offset(from, 120, 60), -80, -90));
    EXPECT_TRUE(IsAt(40, -30));

    // A display dragged with the right button moves the window too, and
    // stays inactive.
    const POINT display = app_.Main().CentreOf(L"lblP(2)");
    ASSERT_TRUE(Drag(display, -80, 40, 0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP));
    EXPECT_TRUE(IsAt(-40, 10));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblP(0)", highlight, windowText));
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblP(2)", windowText, highlight));

    // The release ended the drag: the pointer moves alone. Keys and mouse
    // input are handled in the order they come: once a digit typed now
    // shows, the mouse input before it has been handled.
    ASSERT_TRUE(PlacePointer(display));
    app_.Type(L"5");
    ASSERT_TRUE(app_.Shows(L"lblP(0)", L"5"));
    EXPECT_TRUE(IsAt(-40, 10));
}

TEST_F(WindowDrag, TheWindowFollowsAPointerThatJumpsOutOfIt) {
    const POINT from = app_.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(from, -300, 150, 1));
    EXPECT_TRUE(IsAt(-300, 150));
}

}  // namespace
}  // namespace e2e
