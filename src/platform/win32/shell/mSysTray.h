// The main window's notification-area icon needs the shell's messages about
// it: this replaces the window's procedure with one that sees them first.
#pragma once

#include "platform/Shell.h"
#include "platform/win32/MessagePump.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class mSysTray {
public:
    // The icon's identifier and the message the shell reports it with.
    static constexpr UINT kIconId = 61860;
    static constexpr UINT kCallbackMessage = WM_USER + 42;
    // The bytes of its own that a hooked window's class gives it: they hold
    // the hook, which the window's every message needs. A window property
    // would be asked of the window server at each message.
    static constexpr int kWindowBytes = sizeof(LONG_PTR);

    // The icon's double click and the shell's restart go to `events`, each
    // as one of the program's handlers run by `pump`.
    mSysTray(MessagePump& pump, platform::NotificationIconEvents& events);
    ~mSysTray();
    mSysTray(const mSysTray&) = delete;
    mSysTray& operator=(const mSysTray&) = delete;

    // Replaces the window's procedure by TrayWindowProc, keeping the old one;
    // a window without kWindowBytes of its own stays as it is.
    void HookWindow(HWND window);
    // Puts the old procedure back.
    void UnhookWindow(HWND window);

private:
    // Reports a double click of the icon's left button, then passes every
    // message on to the previous procedure.
    static LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    MessagePump& pump_;
    platform::NotificationIconEvents& events_;
    // Sent to every top-level window when the shell's task bar comes back,
    // after the shell restarted: its icons are gone with it.
    const UINT taskbarCreated_;
    HWND hooked_ = nullptr;
    WNDPROC PrevWndProc = nullptr;
};

}  // namespace win32
