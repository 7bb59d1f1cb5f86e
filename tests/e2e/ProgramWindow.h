// One top-level window of the program under test, seen from outside: the
// main window, the euro-zone window, the options dialog or the about box.
// Its controls are found by name, read, clicked and sent keys.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Desktop.h"

namespace e2e {

class ProgramWindow {
public:
    ProgramWindow() = default;
    explicit ProgramWindow(HWND window) : window_(window) {}

    HWND Handle() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    // Shown and not destroyed.
    bool IsShown() const { return IsWindow(window_) && IsWindowVisible(window_); }

    // A control by its name, such as L"lblP(2)" or L"chkAppoint": its
    // control id is the global atom of that name.
    HWND Control(std::wstring_view name) const;
    std::wstring Text(std::wstring_view name) const;
    // The state of a check box (BM_GETCHECK): BST_CHECKED or BST_UNCHECKED.
    std::optional<LRESULT> CheckState(std::wstring_view name) const;

    // Waits until every named control shows its text.
    testing::AssertionResult Shows(
        const std::vector<std::pair<std::wstring, std::wstring>>& expected) const;
    testing::AssertionResult Shows(std::wstring_view name, std::wstring_view text) const;
    // Waits until the named check box is checked, or unchecked.
    testing::AssertionResult IsChecked(std::wstring_view name, bool checked) const;
    // Waits until the named control has the keyboard focus.
    testing::AssertionResult HasFocus(std::wstring_view name) const;
    // Waits until the screen shows the named control with some pixels in
    // `colour` and none in `otherColour`.
    testing::AssertionResult IsDrawnIn(std::wstring_view name, COLORREF colour,
                                       COLORREF otherColour) const;
    // Waits until the screen shows `colour` at each of `points` (window
    // coordinates; the windows have no border, so client coordinates too).
    testing::AssertionResult ShowsColourAt(const std::vector<POINT>& points, COLORREF colour) const;

    // The screen's pixels in `area` once the window has painted: nothing
    // left to paint in it or its controls, and the same pixels seen across
    // the program's trips back to its messages. Empty if that never comes.
    std::vector<COLORREF> SettledLook(const RECT& area) const;

    // Makes the window the foreground window and sends it real keys.
    void Press(const std::vector<Keystroke>& keys) const;
    // Types digits and commas with the keys of the main keyboard.
    void Type(std::wstring_view amount) const;
    // Clicks the middle of a control with the mouse.
    void Click(std::wstring_view name) const;
    // Presses the left button in the middle of a control, moves the pointer
    // through `path` (screen points) and releases the button at its last
    // point. Waits until the control has taken the mouse with the press and
    // until the release has given it back.
    testing::AssertionResult PressAndReleaseAlong(std::wstring_view name,
                                                  const std::vector<POINT>& path) const;
    // The screen point in the middle of a control.
    POINT CentreOf(std::wstring_view name) const;
    // The screen point of a point of the window.
    POINT ScreenPoint(POINT inWindow) const;

private:
    HWND window_ = nullptr;
};

std::string Describe(COLORREF colour);

}  // namespace e2e
