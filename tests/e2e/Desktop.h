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
#include <utility>
#include <vector>

#include "platform/win32/Handles.h"

namespace e2e {

// Every wait of the suite: generous, since a loaded CI machine under Wine
// can be slow, and only reached when something is wrong.
constexpr std::chrono::milliseconds kPatience{20000};

using UniqueHandle = win32::UniqueKernelHandle;

// Polls `condition` until it holds (true) or `limit` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = kPatience);

std::string Utf8(std::wstring_view text);
bool ContainsNoCase(std::wstring_view text, std::wstring_view part);

// The text of any window, also of another process (WM_GETTEXT), followed by
// its child windows' texts, one a line.
std::wstring WindowText(HWND window);
POINT Centre(const RECT& rect);
std::string Describe(POINT point);
DWORD WindowProcess(HWND window);
RECT WindowRect(HWND window);
std::vector<HWND> TopLevelWindows();
std::vector<HWND> ChildWindows(HWND parent);
int ScreenPixelsPerInchX();
// A length in pixels of a 96-dpi screen at the screen's scale, rounded as
// the program rounds it (halves away from zero).
int ScaledToScreen(int pixels96);
// The colours of the screen's pixels in `area`, row by row.
std::vector<COLORREF> ScreenPixels(const RECT& area);
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
// down, and button events carry their own position.
// Puts the pointer at a screen point, again until the system says it is there.
bool PlacePointer(POINT screenPoint);
// Button events (MOUSEEVENTF_LEFTDOWN...) at a screen point, in one go;
// a 0 is a move there. Place the pointer first.
bool SendButtons(POINT screenPoint, const std::vector<DWORD>& buttons);
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
inline ScopedRegistryString UseDecimalSeparator(const std::wstring& separator) {
    return {HKEY_CURRENT_USER, L"Control Panel\\International", L"sDecimal", separator};
}

// The help viewer that F1 opens on the program's help file (Wine's winhlp32).
// The shown main window of a running help viewer, or with `dialog` its
// message box (its question for a missing help file); null if none shows.
HWND FindHelpViewer(bool dialog = false);
// Ends every running help viewer.
void EndHelpViewers();

// Shortcut files (.lnk) as the shell reads them, and the user's Startup
// folder, where the program writes "Convalis.lnk" to start with Windows.
// A folder of the shell's for the current user (CSIDL_STARTUP...), without
// a trailing backslash; empty if the shell has none.
std::wstring ShellFolder(int csidl);
// The Startup folder + "\Convalis.lnk".
std::wstring StartupShortcutPath();

bool FileExists(const std::wstring& path);
std::vector<unsigned char> FileBytes(const std::wstring& path);

// What the shell's shortcut object reads from a shortcut file.
struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring iconFile;
    int iconIndex = -1;
};
std::optional<Shortcut> ReadShortcut(const std::wstring& path);

// Removes "Convalis.lnk" from the Startup folder now and again when the
// test ends: the prefix, and so the folder, outlives every test.
class NoStartupShortcut {
public:
    NoStartupShortcut() { DeleteFileW(StartupShortcutPath().c_str()); }
    ~NoStartupShortcut() { DeleteFileW(StartupShortcutPath().c_str()); }
    NoStartupShortcut(const NoStartupShortcut&) = delete;
    NoStartupShortcut& operator=(const NoStartupShortcut&) = delete;
};

}  // namespace e2e
