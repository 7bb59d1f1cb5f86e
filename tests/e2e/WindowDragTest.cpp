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
// Steps of a hand's drag: a few pixels each.
constexpr int kStepPixels = 10;

POINT Offset(POINT point, int dx, int dy) {
    return {point.x + dx, point.y + dy};
}

POINT TopLeft(HWND window) {
    const RECT rect = WindowRect(window);
    return {rect.left, rect.top};
}

bool SamePoint(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

class WindowDrag : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
        ASSERT_TRUE(BringToForeground(app_.MainWindow()));
        start_ = TopLeft(app_.MainWindow());
    }

    HWND Window() const { return app_.MainWindow(); }

    // A drag as a hand makes it: press, move in small steps, release. Each
    // step waits until the window has followed the pointer, so that the
    // window stays under the pointer all the way.
    testing::AssertionResult Drag(POINT from, POINT to, int steps = 0,
                                  DWORD down = MOUSEEVENTF_LEFTDOWN,
                                  DWORD up = MOUSEEVENTF_LEFTUP) const {
        if (steps == 0) {
            const int distance = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
            steps = std::max(1, distance / kStepPixels);
        }
        const POINT windowStart = TopLeft(Window());
        if (!PlacePointer(from) || !SendButtons(from, {down})) {
            return testing::AssertionFailure() << "cannot press at " << Describe(from);
        }
        if (!WaitUntil([&] { return MouseCaptureOf(Window()) == Window(); })) {
            SendButtons(from, {up});
            return testing::AssertionFailure() << "the press did not start a drag";
        }
        for (int step = 1; step <= steps; ++step) {
            const int dx = (to.x - from.x) * step / steps;
            const int dy = (to.y - from.y) * step / steps;
            const POINT pointer = Offset(from, dx, dy);
            const POINT expected = Offset(windowStart, dx, dy);
            // A move message can be lost on its way to the window that
            // captured the mouse; a hand never stays still, so the pointer is
            // nudged again until the window has followed it. The pointer
            // must have come back from the nudge too, or the window may yet
            // follow the nudge's pixel aside. Under Wine the display's own
            // pointer moves can come back late and carry the pointer off for
            // many seconds, hence the longer patience.
            const bool followed = WaitUntil(
                [&] {
                    if (PointerIsAt(pointer) && SamePoint(TopLeft(Window()), expected)) {
                        return true;
                    }
                    NudgePointerTo(pointer);
                    return false;
                },
                3 * kPatience);
            if (!followed) {
                POINT actual{};
                GetCursorPos(&actual);
                SendButtons(pointer, {up});
                return testing::AssertionFailure()
                       << "with the pointer sent to " << Describe(pointer) << " and at "
                       << Describe(actual) << " the window is at " << Describe(TopLeft(Window()))
                       << ", expected " << Describe(expected);
            }
        }
        SendButtons(to, {up});
        if (!WaitUntil([&] { return MouseCaptureOf(Window()) == nullptr; })) {
            return testing::AssertionFailure() << "the release did not end the drag";
        }
        return testing::AssertionSuccess();
    }

    testing::AssertionResult IsAt(POINT expected) const {
        if (WaitUntil([&] { return SamePoint(TopLeft(Window()), expected); })) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the window is at " << Describe(TopLeft(Window())) << ", expected "
               << Describe(expected) << "; it started at " << Describe(start_);
    }

    // Keys and mouse input are handled in the order they come: once a
    // digit typed now shows, the mouse input before it has been handled.
    testing::AssertionResult HandledEarlierInput() const {
        app_.Type(L"5");
        return app_.Shows(L"lblP(0)", L"5");
    }

    ProgramUnderTest app_;
    POINT start_{};
};

TEST_F(WindowDrag, PressOnTheBodyAndDragMovesTheWindowByThePointersDistance) {
    const POINT from = app_.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(from, Offset(from, 120, 60)));
    EXPECT_TRUE(IsAt(Offset(start_, 120, 60)));

    // A second drag starts from where the first left the window.
    ASSERT_TRUE(Drag(Offset(from, 120, 60), Offset(from, 40, -30)));
    EXPECT_TRUE(IsAt(Offset(start_, 40, -30)));
}

TEST_F(WindowDrag, WindowFollowsAPointerThatJumpsOutOfIt) {
    const POINT from = app_.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(from, Offset(from, -300, 150), 1));
    EXPECT_TRUE(IsAt(Offset(start_, -300, 150)));
}

TEST_F(WindowDrag, DisplayDraggedWithTheRightButtonMovesTheWindowAndStaysInactive) {
    const POINT from = app_.Main().CentreOf(L"lblP(2)");
    ASSERT_TRUE(Drag(from, Offset(from, -80, 40), 0, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP));
    EXPECT_TRUE(IsAt(Offset(start_, -80, 40)));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblP(0)", highlight, windowText));
    EXPECT_TRUE(app_.Main().IsDrawnIn(L"lblP(2)", windowText, highlight));

    // The release ended the drag: the pointer moves alone.
    ASSERT_TRUE(PlacePointer(from));
    ASSERT_TRUE(HandledEarlierInput());
    EXPECT_TRUE(IsAt(Offset(start_, -80, 40)));
}

}  // namespace
}  // namespace e2e
