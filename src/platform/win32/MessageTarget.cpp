#include "platform/win32/MessageTarget.h"

#include "platform/win32/MessagePump.h"

namespace win32 {

LRESULT CALLBACK MessageTarget::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageTarget* target = nullptr;
    if (message == WM_NCCREATE) {
        target = static_cast<MessageTarget*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
    } else {
        target = reinterpret_cast<MessageTarget*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (target == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The last message: nothing after it reaches the object.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return target->pump_.Answer([&] {
        if (message == WM_NCCREATE) {
            target->Attach(hwnd);
        }
        return target->Receive(message, wParam, lParam);
    });
}

}  // namespace win32
