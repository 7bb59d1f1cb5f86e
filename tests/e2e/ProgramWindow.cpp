#include "ProgramWindow.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

WORD KeyForCharacter(wchar_t character) {
    if (character == L',') {
        return VK_OEM_COMMA;
    }
    return static_cast<WORD>(character);  // '0'..'9' are their own key codes
}

std::string Quoted(std::wstring_view text) {
    return "\"" + Utf8(text) + "\"";
}

// Whether the system has a paint of `window` or of a window in it pending.
bool PaintPending(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return true;
    }
    const std::vector<HWND> children = ChildWindows(window);
    return std::any_of(children.begin(), children.end(),
                       [](HWND child) { return GetUpdateRect(child, nullptr, FALSE) != FALSE; });
}

// Waits until the window's thread has come back to its messages.
bool AwaitMessageRoundTrip(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(kPatience.count()), &ignored) != 0;
}

std::string DescribePoint(POINT point) {
    return "(" + std::to_string(point.x) + ", " + std::to_string(point.y) + ")";
}

}  // namespace

HWND ProgramWindow::Control(std::wstring_view name) const {
    const ATOM id = GlobalFindAtomW(std::wstring(name).c_str());
    return id == 0 || window_ == nullptr ? nullptr : GetDlgItem(window_, id);
}

std::wstring ProgramWindow::Text(std::wstring_view name) const {
    HWND control = Control(name);
    return control == nullptr ? std::wstring() : WindowText(control);
}

std::optional<LRESULT> ProgramWindow::CheckState(std::wstring_view name) const {
    HWND control = Control(name);
    DWORD_PTR state = 0;
    if (control == nullptr || !SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG,
                                                   static_cast<UINT>(kPatience.count()), &state)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(state);
}

testing::AssertionResult ProgramWindow::Shows(
    const std::vector<std::pair<std::wstring, std::wstring>>& expected) const {
    const auto allShown = [&] {
        for (const auto& [name, text] : expected) {
            if (Text(name) != text) {
                return false;
            }
        }
        return true;
    };
    if (WaitUntil(allShown)) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    for (const auto& [name, text] : expected) {
        failure << "\n  " << Utf8(name);
        if (Control(name) == nullptr) {
            failure << ": no such control";
        } else {
            failure << " shows " << Quoted(Text(name)) << ", expected " << Quoted(text);
        }
    }
    return failure;
}

testing::AssertionResult ProgramWindow::Shows(std::wstring_view name,
                                              std::wstring_view text) const {
    return Shows({{std::wstring(name), std::wstring(text)}});
}

testing::AssertionResult ProgramWindow::IsChecked(std::wstring_view name, bool checked) const {
    const LRESULT wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    if (WaitUntil([&] { return CheckState(name) == wanted; })) {
        return testing::AssertionSuccess();
    }
    const std::optional<LRESULT> state = CheckState(name);
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << Utf8(name);
    if (!state) {
        return failure << ": no such check box";
    }
    return failure << " has check state " << *state << ", expected " << wanted;
}

testing::AssertionResult ProgramWindow::IsDrawnIn(std::wstring_view name, COLORREF colour,
                                                  COLORREF otherColour) const {
    HWND control = Control(name);
    if (control == nullptr) {
        return testing::AssertionFailure() << "no control " << Utf8(name);
    }
    size_t inColour = 0;
    size_t inOtherColour = 0;
    const auto drawn = [&] {
        const std::vector<COLORREF> pixels = ScreenPixels(WindowRect(control));
        inColour = static_cast<size_t>(std::count(pixels.begin(), pixels.end(), colour));
        inOtherColour = static_cast<size_t>(std::count(pixels.begin(), pixels.end(), otherColour));
        return inColour > 0 && inOtherColour == 0;
    };
    if (WaitUntil(drawn)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << Utf8(name) << " on screen has " << inColour << " pixels in " << Describe(colour)
           << " (expected some) and " << inOtherColour << " in " << Describe(otherColour)
           << " (expected none)";
}

testing::AssertionResult ProgramWindow::ShowsColourAt(const std::vector<POINT>& points,
                                                      COLORREF colour) const {
    const auto colourAt = [this](POINT point) { return ScreenPixel(ScreenPoint(point)); };
    const auto allInColour = [&] {
        return std::all_of(points.begin(), points.end(),
                           [&](POINT point) { return colourAt(point) == colour; });
    };
    if (WaitUntil(allInColour)) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "expected " << Describe(colour) << " at each point of the window:";
    for (POINT point : points) {
        failure << "\n  " << DescribePoint(point) << " shows " << Describe(colourAt(point));
    }
    return failure;
}

testing::AssertionResult ProgramWindow::HasFocus(std::wstring_view name) const {
    HWND control = Control(name);
    if (control == nullptr) {
        return testing::AssertionFailure() << "no control " << Utf8(name);
    }
    if (WaitUntil([&] { return KeyboardFocusOf(window_) == control; })) {
        return testing::AssertionSuccess();
    }
    HWND focus = KeyboardFocusOf(window_);
    return testing::AssertionFailure()
           << Utf8(name) << " does not have the focus; "
           << (focus == nullptr ? std::string("no window")
                                : "the window of class " + Utf8(WindowClass(focus)))
           << " has it";
}

std::vector<COLORREF> ProgramWindow::SettledLook(const RECT& area) const {
    // A paint reaches the screen after the program has handled it, once it
    // is back at its messages: a look read too early may be a dialog's
    // half-painted first image, which a later paint changes without cause.
    std::vector<COLORREF> look;
    int unchanged = 0;
    const bool settled = WaitUntil([&] {
        if (PaintPending(window_) || !AwaitMessageRoundTrip(window_)) {
            unchanged = 0;
            return false;
        }
        std::vector<COLORREF> now = ScreenPixels(area);
        unchanged = now == look ? unchanged + 1 : 0;
        look = std::move(now);
        return unchanged == 3;
    });
    return settled ? look : std::vector<COLORREF>();
}

void ProgramWindow::Press(const std::vector<Keystroke>& keys) const {
    if (window_ == nullptr || !BringToForeground(window_)) {
        ADD_FAILURE() << "the window did not become the foreground window";
        return;
    }
    SendKeystrokes(keys);
}

void ProgramWindow::Type(std::wstring_view amount) const {
    std::vector<Keystroke> keys;
    for (wchar_t character : amount) {
        keys.push_back({KeyForCharacter(character), {}});
    }
    Press(keys);
}

void ProgramWindow::Click(std::wstring_view name) const {
    HWND control = Control(name);
    if (control == nullptr) {
        ADD_FAILURE() << "no control " << Utf8(name) << " to click";
        return;
    }
    if (!BringToForeground(window_)) {
        ADD_FAILURE() << "the window did not become the foreground window";
        return;
    }
    if (!SendClick(CentreOf(name))) {
        ADD_FAILURE() << "cannot place the mouse pointer on " << Utf8(name);
    }
}

testing::AssertionResult ProgramWindow::PressAndReleaseAlong(std::wstring_view name,
                                                             const std::vector<POINT>& path) const {
    HWND control = Control(name);
    if (control == nullptr || path.empty() || !BringToForeground(window_)) {
        return testing::AssertionFailure() << "cannot press " << Utf8(name);
    }
    const POINT start = CentreOf(name);
    if (!PlacePointer(start) || !PressButtonAt(start, MouseButton::kLeft)) {
        return testing::AssertionFailure() << "cannot press at " << DescribePoint(start);
    }
    if (!WaitUntil([&] { return MouseCaptureOf(window_) == control; })) {
        ReleaseButtonAt(start, MouseButton::kLeft);
        return testing::AssertionFailure() << Utf8(name) << " did not take the mouse";
    }
    for (POINT point : path) {
        if (!PlacePointer(point)) {
            ReleaseButtonAt(point, MouseButton::kLeft);
            return testing::AssertionFailure() << "cannot move to " << DescribePoint(point);
        }
    }
    if (!ReleaseButtonAt(path.back(), MouseButton::kLeft) ||
        !WaitUntil([&] { return MouseCaptureOf(window_) != control; })) {
        return testing::AssertionFailure() << Utf8(name) << " kept the mouse after the release";
    }
    return testing::AssertionSuccess();
}

POINT ProgramWindow::CentreOf(std::wstring_view name) const {
    const RECT rect = WindowRect(Control(name));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ProgramWindow::ScreenPoint(POINT inWindow) const {
    const RECT rect = WindowRect(window_);
    return {rect.left + inWindow.x, rect.top + inWindow.y};
}

std::string Describe(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

}  // namespace e2e
