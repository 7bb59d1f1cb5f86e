#include "shell/mSysTray.h"

namespace shell {

mSysTray::mSysTray(platform::Shell& shell, std::function<void()> showWindow,
                   std::function<void()> iconLost)
    : shell_(shell),
      showWindow_(std::move(showWindow)),
      iconLost_(std::move(iconLost)),
      // Sent to every top-level window when the shell's task bar comes
      // back, after the shell restarted: its icons are gone with it.
      taskbarCreated_(shell.RegisterWindowMessage("TaskbarCreated")) {}

void mSysTray::HookWindow(platform::WindowHandle window) {
    PrevWndProc = shell_.SetWindowProc(window, [this](platform::WindowHandle hwnd, unsigned message,
                                                      std::uintptr_t wParam, std::intptr_t lParam) {
        return TrayWindowProc(hwnd, message, wParam, lParam);
    });
}

void mSysTray::UnhookWindow(platform::WindowHandle window) {
    shell_.RestoreWindowProc(window, PrevWndProc);
}

std::intptr_t mSysTray::TrayWindowProc(platform::WindowHandle window, unsigned message,
                                       std::uintptr_t wParam, std::intptr_t lParam) {
    // The pair of parameters alone identifies the icon's double click.
    if (wParam == kIconId && lParam == platform::wm::kLButtonDblClk)
        showWindow_();
    if (taskbarCreated_ != 0 && message == taskbarCreated_)
        iconLost_();
    return shell_.CallWindowProc(PrevWndProc, window, message, wParam, lParam);
}

}  // namespace shell
