#include "platform/win32/Input.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/Runtime.h"

namespace win32 {

int KeyShiftState(const MSG& msg) {
    // One read of the keyboard's state as this thread's messages left it,
    // as GetKeyState reads each key: every read asks the window server.
    BYTE keys[256] = {};
    if (!::GetKeyboardState(keys)) {
        std::fill(std::begin(keys), std::end(keys), BYTE{0});
    }
    const auto down = [&keys](int key) { return (keys[key] & 0x80) != 0; };
    int state = 0;
    if (down(VK_SHIFT)) {
        state |= platform::shift::kShift;
    }
    if (down(VK_CONTROL)) {
        state |= platform::shift::kCtrl;
    }
    // A posted key leaves the keyboard's state untouched: its context bit
    // tells Alt.
    if ((msg.lParam & (1 << 29)) != 0 || down(VK_MENU)) {
        state |= platform::shift::kAlt;
    }
    return state;
}

namespace {

struct MouseMessage {
    UINT message;
    MouseKind kind;
    int button;  // for a move, the buttons held are read from the message
};

constexpr MouseMessage kMouseMessages[] = {
    {WM_LBUTTONDOWN, MouseKind::kDown, platform::button::kLeft},
    {WM_RBUTTONDOWN, MouseKind::kDown, platform::button::kRight},
    {WM_MBUTTONDOWN, MouseKind::kDown, platform::button::kMiddle},
    {WM_LBUTTONUP, MouseKind::kUp, platform::button::kLeft},
    {WM_RBUTTONUP, MouseKind::kUp, platform::button::kRight},
    {WM_MBUTTONUP, MouseKind::kUp, platform::button::kMiddle},
    {WM_MOUSEMOVE, MouseKind::kMove, 0},
};

int HeldButtons(WPARAM wParam) {
    int buttons = 0;
    if ((wParam & MK_LBUTTON) != 0) {
        buttons |= platform::button::kLeft;
    }
    if ((wParam & MK_RBUTTON) != 0) {
        buttons |= platform::button::kRight;
    }
    if ((wParam & MK_MBUTTON) != 0) {
        buttons |= platform::button::kMiddle;
    }
    return buttons;
}

int MouseShiftState(WPARAM wParam) {
    int state = 0;
    if ((wParam & MK_SHIFT) != 0) {
        state |= platform::shift::kShift;
    }
    if ((wParam & MK_CONTROL) != 0) {
        state |= platform::shift::kCtrl;
    }
    if (::GetKeyState(VK_MENU) < 0) {
        state |= platform::shift::kAlt;
    }
    return state;
}

}  // namespace

MouseKind ReadMouse(platform::Dpi dpi, UINT message, WPARAM wParam, LPARAM lParam,
                    platform::MouseEvent* event) {
    const auto* end = std::end(kMouseMessages);
    const auto* found =
        std::find_if(std::begin(kMouseMessages), end,
                     [message](const MouseMessage& m) { return m.message == message; });
    if (found == end) {
        return MouseKind::kNone;
    }
    const POINT point = MousePoint(lParam);
    event->button = found->kind == MouseKind::kMove ? HeldButtons(wParam) : found->button;
    event->shift = MouseShiftState(wParam);
    const double twipsPerPixel = dpi.TwipsPerPixel();
    event->x = static_cast<float>(point.x * twipsPerPixel);
    event->y = static_cast<float>(point.y * twipsPerPixel);
    return found->kind;
}

bool DeliverMouse(Runtime& runtime, platform::Dpi dpi, HWND hwnd, UINT message, WPARAM wParam,
                  LPARAM lParam,
                  const std::function<void(MouseKind, const platform::MouseEvent&)>& deliver) {
    platform::MouseEvent event;
    const MouseKind kind = ReadMouse(dpi, message, wParam, lParam, &event);
    if (kind == MouseKind::kNone) {
        return false;
    }
    if (kind == MouseKind::kDown) {
        ::SetCapture(hwnd);
    }
    runtime.pump.Invoke([&] { deliver(kind, event); });
    if (kind == MouseKind::kUp && ::GetCapture() == hwnd &&
        (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) {
        ::ReleaseCapture();
    }
    return true;
}

}  // namespace win32
