// One top-level window of the program under test, seen from outside: the
// main window, the euro-zone window, the options dialog or the about box.
// Its controls are found as a screen reader finds them, read, clicked and
// sent keys.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Accessibility.h"
#include "Desktop.h"

namespace e2e {

enum class WindowKind { kMain, kEuroZone, kOptions, kAbout };

// Waits until the window's thread has come back to its messages.
bool AwaitMessageRoundTrip(HWND window);

class ProgramWindow {
public:
    ProgramWindow() = default;
    ProgramWindow(HWND window, WindowKind kind) : window_(window), kind_(kind) {}

    HWND Handle() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    // Shown and not destroyed.
    bool IsShown() const { return IsWindow(window_) && IsWindowVisible(window_); }
    // Whether `window` is a window of this kind: it lists the control that
    // only that kind has.
    static bool IsOfKind(HWND window, WindowKind kind);

    // A control by the name the program gives it, such as L"lblP(2)" or
    // L"chkAppoint", as the window's accessible object lists it now: a
    // table of the tests says what a screen reader reads of each (role,
    // name or caption, place among the like ones in reading order).
    std::optional<AccessibleView> Find(std::wstring_view name) const;
    // The text a control shows: its accessible name, without the caption
    // that a display's name starts with.
    std::wstring Text(std::wstring_view name) const {
        return Find(name).value_or(AccessibleView{}).name;
    }
    RECT Location(std::wstring_view name) const {
        return Find(name).value_or(AccessibleView{}).location;
    }

    // Waits until the named control shows that text.
    testing::AssertionResult Shows(std::wstring_view name, std::wstring_view text) const;
    // Waits until the named control has `state` (STATE_SYSTEM_CHECKED,
    // STATE_SYSTEM_FOCUSED...), or lacks it.
    testing::AssertionResult HasState(std::wstring_view name, LONG state, bool has = true) const;
    testing::AssertionResult IsChecked(std::wstring_view name, bool checked) const {
        return HasState(name, STATE_SYSTEM_CHECKED, checked);
    }
    testing::AssertionResult HasFocus(std::wstring_view name) const {
        return HasState(name, STATE_SYSTEM_FOCUSED);
    }
    testing::AssertionResult IsHidden(std::wstring_view name, bool hidden) const {
        return HasState(name, STATE_SYSTEM_INVISIBLE, hidden);
    }
    // Waits until the screen shows the named control with some pixels in
    // `colour` and none in `otherColour`.
    testing::AssertionResult IsDrawnIn(std::wstring_view name, COLORREF colour,
                                       COLORREF otherColour) const;
    // Waits until the screen shows `colour` at each of `points` (window
    // coordinates; the windows have no border, so client coordinates too).
    testing::AssertionResult ShowsColourAt(const std::vector<POINT>& points, COLORREF colour) const;

    // The screen's pixels in `area` once the window has painted: nothing
    // left to paint in it, and the same pixels seen across the program's
    // trips back to its messages. Empty if that never comes.
    std::vector<COLORREF> SettledLook(const RECT& area) const;

    // Makes the window the foreground window and sends it real keys.
    void Press(const std::vector<Keystroke>& keys) const;
    // Types digits and commas with the keys of the main keyboard.
    void Type(std::wstring_view amount) const;
    // Clicks the middle of a control with the mouse.
    void Click(std::wstring_view name) const;
    // Presses the left button on a control, moves the pointer through
    // `path` (screen points) and releases the button at the last point;
    // waits until the program has taken the mouse and given it back.
    testing::AssertionResult PressAndReleaseAlong(std::wstring_view name,
                                                  const std::vector<POINT>& path) const;
    // The screen point of a point of the window.
    POINT ScreenPoint(POINT inWindow) const;

private:
    HWND window_ = nullptr;
    WindowKind kind_ = WindowKind::kMain;
};

std::string Describe(COLORREF colour);

}  // namespace e2e
