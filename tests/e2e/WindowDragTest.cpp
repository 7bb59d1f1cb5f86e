// Moving the main window, which has no title bar: a press on its body (left
// button) or on a display (any button) and a drag move it with the pointer,
// the pressed point staying under the pointer while the button is held.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// The program places the window in twips, as the pressed point's offset is:
// a pixel's fraction can round either way.
bool Near(POINT a, POINT b) {
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
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
// offset it had at the press, while the pointer stays at each point for half
// a second. A move can be lost on its way, or the program may have read the
// pointer's place while a late move had carried it back: when the window has
// not kept up for a second, the pointer is nudged a pixel aside and back, as
// a hand never stays still. The program leaves the window where it finds the pointer as
// it handles the release, which a late move may yet have carried back to a
// place it was sent before: the window ends at one of those.
testing::AssertionResult Drag(HWND window, POINT from, const std::vector<POINT>& path,
                              DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    using Clock = std::chrono::steady_clock;
    if (!BringToForeground(window) || !PlacePointer(from) || !SendButtons(from, {down}) ||
        !WaitUntil([&] { return MouseCaptureOf(window) == window; })) {
        SendButtons(from, {up});
        return testing::AssertionFailure() << "the press at " << Describe(from) << " moved nothing";
    }
    const POINT start = TopLeft(window);
    const int dx = start.x - from.x, dy = start.y - from.y;
    for (const POINT to : path) {
        POINT pointer{}, at{};
        Clock::time_point sent = Clock::now(), since{};
        SendButtons(to, {0});
        const bool followed = WaitUntil(
            [&] {
                GetCursorPos(&pointer);
                at = TopLeft(window);
                const auto now = Clock::now();
                if (Same(pointer, to) && Near(at, Plus(pointer, dx, dy))) {
                    since = since == Clock::time_point{} ? now : since;
                    return now - since >= std::chrono::milliseconds(500);
                }
                since = {};
                if (now - sent > std::chrono::seconds(1)) {
                    SendButtons(Plus(to, 1, 0), {0});
                    SendButtons(to, {0});
                    sent = now;
                }
                return false;
            },
            3 * kPatience);
        if (!followed) {
            SendButtons(to, {up});
            return testing::AssertionFailure()
                   << "with the pointer sent to " << Describe(to) << " and at " << Describe(pointer)
                   << " the window is at " << Describe(at) << ", expected "
                   << Describe(Plus(pointer, dx, dy))
                   << (MouseCaptureOf(window) == window ? "" : "; the program let go of the mouse");
        }
    }
    if (!SendButtons(path.back(), {up}) ||
        !WaitUntil([&] { return MouseCaptureOf(window) == nullptr; })) {
        return testing::AssertionFailure() << "the release did not end the drag";
    }
    const POINT at = TopLeft(window);
    std::vector<POINT> places = {from};
    for (const POINT point : path) {
        places.insert(places.end(), {point, Plus(point, 1, 0)});
    }
    if (std::none_of(places.begin(), places.end(),
                     [&](POINT place) { return Near(at, Plus(place, dx, dy)); })) {
        return testing::AssertionFailure() << "released, the window is at " << Describe(at)
                                           << ", where no place of the pointer puts it";
    }
    return testing::AssertionSuccess();
}

// One start: a drag of the body, a second one from where it left the window
// with a jump of the pointer far out of it, and a display dragged with the
// right button, which leaves the active display as it was.
TEST(WindowDrag, TheWindowKeepsThePressedPointUnderThePointer) {
    ProgramUnderTest app;
    const HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const POINT body = app.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(window, body, {Plus(body, 60, 30), Plus(body, 120, 60)}));
    const POINT second = app.Main().ScreenPoint(kBodyPoint);
    ASSERT_TRUE(Drag(window, second, {Plus(second, -300, 150)}));

    const POINT display = Centre(app.Main().Location(L"lblP(2)"));
    // Short moves, the pointer over the display: a long move out of the
    // window held by the right button leaves it behind the pointer now and
    // then under Wine, where the left button's does not.
    ASSERT_TRUE(Drag(window, display,
                     {Plus(display, 20, -10), Plus(display, 40, -20), Plus(display, 60, -30)},
                     MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_TRUE(app.Main().IsDrawnIn(L"lblP(0)", highlight, windowText));
    EXPECT_TRUE(app.Main().IsDrawnIn(L"lblP(2)", windowText, highlight));
    // The release ended the drag: the pointer moves alone. Keys come after
    // the mouse input before them, so once a typed digit shows, the move
    // has been handled.
    const POINT released = TopLeft(window);
    ASSERT_TRUE(PlacePointer(display));
    app.Type(L"5");
    ASSERT_TRUE(app.Shows(L"lblP(0)", L"5"));
    EXPECT_TRUE(Same(TopLeft(window), released))
        << "the window followed the pointer after the release";
}

}  // namespace
}  // namespace e2e
