#include "platform/win32/ControlPointer.h"

#include <utility>

#include "platform/win32/Canvas.h"
#include "platform/win32/Input.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Controls.h"

namespace win32 {

namespace {

constexpr WPARAM kAnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

}  // namespace

WindowlessControl* ControlPointer::TargetAt(POINT point) const {
    if (pressed_ != nullptr) {
        return pressed_;
    }
    // A press on the window itself keeps the mouse for the window.
    if (::GetCapture() == window_) {
        return nullptr;
    }
    return canvas_.MouseTargetAt(point);
}

bool ControlPointer::Route(platform::Dpi dpi, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = MousePoint(lParam);
    WindowlessControl* control = TargetAt(point);
    if (control == nullptr) {
        return false;
    }
    const RECT rect = control->PixelRect();
    platform::MouseEvent event;
    const MouseKind kind = ReadMouse(dpi, message, wParam, lParam, &event);
    if (kind == MouseKind::kNone) {
        return false;
    }
    // The control's handlers see points of the control, in twips from its
    // place: added back to that place they are the window's own points,
    // however the control's pixels round.
    const platform::Bounds at = control->ControlPlacement();
    event.x -= static_cast<float>(at.left);
    event.y -= static_cast<float>(at.top);
    if (kind == MouseKind::kDown && pressed_ == nullptr) {
        pressed_ = control;
        ::SetCapture(window_);
    }
    if (message == WM_LBUTTONDOWN) {
        clicking_ = true;
    }
    // The click is decided before the handlers run, which may take the mouse
    // elsewhere; it is raised after them, as the release comes before it.
    const bool clicked = message == WM_LBUTTONUP && std::exchange(clicking_, false) &&
                         ::PtInRect(&rect, point) != FALSE;
    runtime_.pump.Invoke([&] { control->Mouse(kind, event); });
    if (kind == MouseKind::kUp && (wParam & kAnyButton) == 0) {
        pressed_ = nullptr;
        clicking_ = false;
        if (::GetCapture() == window_) {
            ::ReleaseCapture();
        }
    }
    if (clicked) {
        control->Click();
    }
    return true;
}

bool ControlPointer::SetCursorShape() const {
    POINT point{};
    ::GetCursorPos(&point);
    ::ScreenToClient(window_, &point);
    const WindowlessControl* control = TargetAt(point);
    if (control == nullptr || !control->ShowsHand()) {
        return false;
    }
    HCURSOR hand = runtime_.resources.HandCursor();
    if (hand == nullptr) {
        return false;
    }
    ::SetCursor(hand);
    return true;
}

void ControlPointer::CaptureChanged(HWND gainer) {
    if (gainer != window_) {
        pressed_ = nullptr;
        clicking_ = false;
    }
}

}  // namespace win32
