// The main window's notification-area icon needs the shell's messages about
// it: this replaces the window's procedure with one that sees them first.
#pragma once

#include <functional>

#include "platform/Shell.h"

namespace shell {

class mSysTray {
public:
    // `showWindow` shows the hooked window and brings it to the front;
    // `iconLost` adds the icon again after the shell restarted.
    mSysTray(platform::Shell& shell, std::function<void()> showWindow,
             std::function<void()> iconLost);

    // Replaces the window's procedure by TrayWindowProc, keeping the old one.
    void HookWindow(platform::WindowHandle window);
    // Puts the old procedure back.
    void UnhookWindow(platform::WindowHandle window);

    // Shows the window on a double click of the icon's left button, then
    // passes every message on to the previous procedure.
    std::intptr_t TrayWindowProc(platform::WindowHandle window, unsigned message,
                                 std::uintptr_t wParam, std::intptr_t lParam);

    // The icon's identifier and the message the shell reports it with.
    static constexpr std::uint32_t kIconId = 61860;
    static constexpr std::uint32_t kCallbackMessage = platform::wm::kUser + 42;

private:
    platform::Shell& shell_;
    std::function<void()> showWindow_;
    std::function<void()> iconLost_;
    platform::PrevProc PrevWndProc = 0;
    unsigned taskbarCreated_;
};

}  // namespace shell
