#include "chrome/WindowDrag.h"

namespace chrome {

void WindowDrag::Start(float x, float y) {
    Dragging_ = -1;
    DragOffsetX_ = x;
    DragOffsetY_ = y;
    platform_.Mouse().SetCapture(window_.Handle());
}

void WindowDrag::Move() {
    if (!Dragging())
        return;
    // The window's own scale: on a monitor of another scale the pressed
    // point, in twips of the window, stays under the pointer all the same.
    const auto twipsPerPixel = static_cast<float>(window_.Dpi().TwipsPerPixel());
    platform::Point pointer = platform_.Mouse().CursorPos();
    float left = static_cast<float>(pointer.x) * twipsPerPixel - DragOffsetX_;
    float top = static_cast<float>(pointer.y) * twipsPerPixel - DragOffsetY_;
    platform::Bounds bounds = window_.Placement();
    bounds.left = static_cast<int>(left);
    bounds.top = static_cast<int>(top);
    window_.Move(bounds);
}

void WindowDrag::Release() {
    if (!Dragging())
        return;
    // The window ends where the button was let go, even when the system
    // handed over a move from before the pointer got there last.
    Move();
    platform_.Mouse().ReleaseCapture();
    Dragging_ = 0;
}

}  // namespace chrome
