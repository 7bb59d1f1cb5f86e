// What a test can see and do on the desktop from outside the program under
// test: waiting on conditions, reading other processes' windows and the
// screen, real keyboard and mouse input, registry values of the user.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace e2e {

// Every wait of the suite: generous, since a loaded CI machine under Wine
// can be slow, and only reached when something is wrong.
constexpr std::chrono::milliseconds kPatience{20000};

struct HandleCloser {
    void operator()(HANDLE handle) const;
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Polls `condition` until it holds (true) or `limit` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);

std::string Utf8(std::wstring_view text);
bool ContainsNoCase(std::wstring_view text, std::wstring_view part);

// The text of any window, also a child of another process (WM_GETTEXT),
// followed by its child windows' texts, one a line, if `withChildren`.
std::wstring WindowText(HWND window, bool withChildren = false);
std::wstring WindowClass(HWND window);
POINT Centre(const RECT& rect);
std::string Describe(POINT point);
DWORD WindowProcess(HWND window);
RECT WindowRect(HWND window);
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);
// The shown top-level window of `process` of that class, if any.
HWND ShownWindowOfClass(DWORD process, std::wstring_view windowClass);

int ScreenPixelsPerInchX();
// A length in pixels of a 96-dpi screen at the screen's scale, rounded as
// the program rounds it (halves away from zero).
int ScaledToScreen(int pixels96);
// The colours of the screen's pixels in `area`, row by row; or, given a
// window of this process, of its client area's pixels: its own surface,
// current as soon as it has painted, where the screen may lag behind.
std::vector<COLORREF> ScreenPixels(const RECT& area, HWND window = nullptr);
COLORREF ScreenPixel(POINT point);
// The image for `size` pixels of icon resource `resource` of the program
// `file`, drawn on `ground`, row by row; empty when it cannot be loaded.
std::vector<COLORREF> IconPixels(const std::wstring& file, int resource, int size, COLORREF ground);

// A key of the keyboard by its virtual-key code, with modifier keys held
// (VK_SHIFT, VK_CONTROL, VK_MENU) while it is pressed and released.
struct Keystroke {
    Keystroke(WORD pressed, std::vector<WORD> modifiers = {})
        : key(pressed), held(std::move(modifiers)) {}
    WORD key;
    std::vector<WORD> held;
};
inline Keystroke WithAlt(WORD key) {
    return Keystroke{key, {VK_MENU}};
}
// Real input through SendInput: it reaches the foreground window's focus
// as typed keys do.
void SendKeystrokes(const std::vector<Keystroke>& keys);
// Makes `window` the foreground window and waits until its thread has
// activated and focused it; false if it does not.
bool BringToForeground(HWND window);

// Real mouse input. In Wine's virtual desktop every pointer move comes back
// later as a move from X, which may carry the pointer back to where an
// earlier move had put it; so the pointer is placed before a button goes
// down, button events carry their own position, and pointer moves are
// checked and made again while a test waits.
bool PointerIsAt(POINT screenPoint);
// Puts the pointer at a screen point if it is not there; true if it is.
// For the condition of a wait: the pointer ends up there and stays.
bool KeepPointerAt(POINT screenPoint);
// Waits until the pointer is at a screen point.
bool PlacePointer(POINT screenPoint);
// Button events (MOUSEEVENTF_LEFTDOWN...) at a screen point, in one go;
// a 0 is a move there. Place the pointer first.
bool SendButtons(POINT screenPoint, const std::vector<DWORD>& buttons);
// Moves the pointer one pixel beside `screenPoint` and then onto it, in one
// go, as a hand moves a mouse: the window under the pointer, or the one
// that captured it, sees a move.
bool NudgePointerTo(POINT screenPoint);
// The pointer placed at a point and one or two left clicks there.
bool SendClick(POINT screenPoint, int clicks = 1);
// The window of `window`'s thread that has captured the mouse, if any.
HWND MouseCaptureOf(HWND window);

// A string value of the registry, set for the lifetime of the object and
// restored (or deleted, if it did not exist) afterwards. An empty value name
// is the key's default value.
class ScopedRegistryString {
public:
    ScopedRegistryString(HKEY root, std::wstring keyPath, std::wstring valueName,
                         const std::wstring& value);
    ~ScopedRegistryString();
    ScopedRegistryString(const ScopedRegistryString&) = delete;
    ScopedRegistryString& operator=(const ScopedRegistryString&) = delete;

private:
    HKEY root_;
    std::wstring keyPath_;
    std::wstring valueName_;
    std::optional<std::wstring> previous_;
};

// The user's decimal separator, for programs started while it lives.
class ScopedDecimalSeparator : public ScopedRegistryString {
public:
    explicit ScopedDecimalSeparator(const std::wstring& separator)
        : ScopedRegistryString(HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal",
                               separator) {}
};

}  // namespace e2e
