#include "platform/win32/shell/mSysTray.h"

namespace win32 {
namespace {

// Where TrayWindowProc finds its hook, in the window's own bytes.
constexpr int kHookSlot = 0;

mSysTray* HookOf(HWND hwnd) {
    return reinterpret_cast<mSysTray*>(::GetWindowLongPtrW(hwnd, kHookSlot));
}

}  // namespace

mSysTray::mSysTray(MessagePump& pump, platform::NotificationIconEvents& events)
    : pump_(pump), events_(events), taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

mSysTray::~mSysTray() {
    UnhookWindow(hooked_);
}

void mSysTray::HookWindow(HWND window) {
    if (hooked_ != nullptr || !::IsWindow(window) ||
        ::GetClassLongPtrW(window, GCL_CBWNDEXTRA) < static_cast<ULONG_PTR>(kWindowBytes)) {
        return;
    }
    ::SetWindowLongPtrW(window, kHookSlot, reinterpret_cast<LONG_PTR>(this));
    PrevWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
    if (PrevWndProc == nullptr) {
        ::SetWindowLongPtrW(window, kHookSlot, 0);
        return;
    }
    hooked_ = window;
}

void mSysTray::UnhookWindow(HWND window) {
    if (window == nullptr || window != hooked_) {
        return;
    }
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWndProc));
    ::SetWindowLongPtrW(window, kHookSlot, 0);
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
