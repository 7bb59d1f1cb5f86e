#include "platform/win32/shell/mSysTray.h"

namespace win32 {
namespace {

// The window property through which TrayWindowProc finds its hook.
constexpr wchar_t kHookProperty[] = L"Convalis.TrayHook";

mSysTray* HookOf(HWND hwnd) {
    return static_cast<mSysTray*>(::GetPropW(hwnd, kHookProperty));
}

}  // namespace

mSysTray::mSysTray(MessagePump& pump, platform::NotificationIconEvents& events)
    : pump_(pump), events_(events), taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

mSysTray::~mSysTray() {
    UnhookWindow(hooked_);
}

void mSysTray::HookWindow(HWND window) {
    if (hooked_ != nullptr || !::IsWindow(window)) {
        return;
    }
    ::SetPropW(window, kHookProperty, this);
    PrevWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
    if (PrevWndProc == nullptr) {
        ::RemovePropW(window, kHookProperty);
        return;
    }
    hooked_ = window;
}

void mSysTray::UnhookWindow(HWND window) {
    if (window == nullptr || window != hooked_) {
        return;
    }
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
    ::RemovePropW(window, kHookProperty);
    hooked_ = nullptr;
}

LRESULT CALLBACK mSysTray::TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    mSysTray* hook = HookOf(hwnd);
    if (hook == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Kept: the program's handlers may unhook the window.
    const WNDPROC previous = hook->PrevWndProc;
    // The pair of parameters alone identifies the icon's double click.
    if (wParam == kIconId && lParam == WM_LBUTTONDBLCLK) {
        hook->pump_.Invoke([hook] { hook->events_.IconDoubleClicked(); });
        hook = HookOf(hwnd);
    }
    if (hook != nullptr && hook->taskbarCreated_ != 0 && message == hook->taskbarCreated_) {
        hook->pump_.Invoke([hook] { hook->events_.ShellRestarted(); });
        hook = HookOf(hwnd);
    }
    if (hook != nullptr && message == WM_NCDESTROY) {
        hook->UnhookWindow(hwnd);
    }
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace win32
