// Moving the main window, which has no title bar: a press on its body (left
// button) or on a display (any button) and a drag move it with the pointer,
// the pressed point staying under the pointer while the button is held.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// A point of the body with no control on it.
constexpr POINT kBodyPoint{150, 72};

POINT Plus(POINT point, int dx, int dy) {
    return {point.x + dx, point.y + dy};
}

bool Same(POINT a, POINT b) {
    return a.x == b.x && a.y == b.y;
}

POINT TopLeft(HWND window) {
    const RECT rect = WindowRect(window);
    return {rect.left, rect.top};
}

// Presses a button at `from`, moves the pointer to each point of `path` in
// one move and releases the button at the last. Under Wine each move comes
// back late from X and may carry the pointer back to an earlier place for a
// while, and the window follows the pointer wherever it is: so the window is
// judged against the pointer's place as the system reports it, keeping the
// offset it had at the press, and a move is sent again only while the
// pointer has been elsewhere for a second.
testing::AssertionResult Drag(HWND window, POINT from, const std::vector<POINT>& path,
                              DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    if (!BringToForeground(window) || !PlacePointer(from) || !SendButtons(from, {down}) ||
        !WaitUntil([&] { return MouseCaptureOf(window) == window; })) {
        SendButtons(from, {up});
        return testing::AssertionFailure() << "the press at " << Describe(from) << " moved nothing";
    }
    const POINT start = TopLeft(window);
    const int dx = start.x - from.x, dy = start.y - from.y;
    for (const POINT to : path) {
        POINT pointer{}, at{};
        auto sent = std::chrono::steady_clock::now();
        SendButtons(to, {0});
        const bool followed = WaitUntil(
            [&] {
                GetCursorPos(&pointer);
                at = TopLeft(window);
                const auto now = std::chrono::steady_clock::now();
                if (!Same(pointer, to) && now - sent > std::chrono::seconds(1)) {
                    SendButtons(to, {0});
                    sent = now;
                }
                return Same(pointer, to) && Same(at, Plus(pointer, dx, dy));
            },
            3 * kPatience);
        if (!followed) {
            SendButtons(to, {up});
            return testing::AssertionFailure()
                   << "with the pointer sent to " << Describe(to) << " and at " << Describe(pointer)
                   << " the window is at " << Describe(at) << ", expected "
                   << Describe(Plus(pointer, dx, dy));
        }
    }
    if (!SendButtons(path.back(), {up}) ||
        !WaitUntil([&] { return MouseCaptureOf(window) == nullptr; })) {
        return testing::AssertionFailure() << "the release did not end the drag";
    }
    return testing::AssertionSuccess();
}

// One start: a drag of the body, a second one from where it left the window,
// a jump of the pointer far out of the window, and a display dragged with the
// right button back to the start, which leaves the active display as it was.
TEST(WindowDrag, TheWindowKeepsThePressedPointUnderThePointer) {
    ProgramUnderTest app;
    const HWND window = app.WaitForShownMainWindow();
    ASSERT_NE(window, nullptr);
    const POINT start = TopLeft(window);
    const auto isAt = [&](int dx, int dy) {
        const POINT expected = Plus(start, dx, dy);
        return WaitUntil([&] { return Same(TopLeft(window), expected); });
    };
    const POINT body = app.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(window, body, {Plus(body, 60, 30), Plus(body, 120, 60)}));
    EXPECT_TRUE(isAt(120, 60));
    ASSERT_TRUE(Drag(window, Plus(body, 120, 60), {Plus(body, 40, -30)}));
    EXPECT_TRUE(isAt(40, -30));
    ASSERT_TRUE(Drag(window, Plus(body, 40, -30), {Plus(body, -260, 120)}));
    EXPECT_TRUE(isAt(-260, 120));

    const POINT display = app.Main().CentreOf(L"lblP(2)");
    ASSERT_TRUE(Drag(window, display, {Plus(display, 130, -60), Plus(display, 260, -120)},
                     MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP));
    EXPECT_TRUE(isAt(0, 0));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(app.Main().IsDrawnIn(L"lblP(0)", highlight, windowText));
    EXPECT_TRUE(app.Main().IsDrawnIn(L"lblP(2)", windowText, highlight));
    // The release ended the drag: the pointer moves alone. Keys come after
    // the mouse input before them, so once a typed digit shows, the move
    // has been handled.
    ASSERT_TRUE(PlacePointer(display));
    app.Type(L"5");
    ASSERT_TRUE(app.Shows(L"lblP(0)", L"5"));
    EXPECT_TRUE(isAt(0, 0)) << "the window followed the pointer after the release";
}

}  // namespace
}  // namespace e2e
