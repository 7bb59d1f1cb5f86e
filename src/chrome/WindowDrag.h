// Moving a borderless window by dragging: the pressed point stays under the
// pointer, also when the pointer leaves the window (the mouse is captured).
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace chrome {

class WindowDrag {
public:
    WindowDrag(platform::Platform& platform, platform::Window& window)
        : platform_(platform), window_(window) {}

    // Starts a drag from a point in twips of the window's client area.
    void Start(float x, float y);
    // Follows the pointer while dragging; does nothing otherwise.
    void Move();
    // Follows the pointer a last time and ends a drag; does nothing when
    // none runs.
    void Release();

    bool Dragging() const { return Dragging_ != 0; }
    float DragOffsetX() const { return DragOffsetX_; }
    float DragOffsetY() const { return DragOffsetY_; }

private:
    platform::Platform& platform_;
    platform::Window& window_;
    std::int16_t Dragging_ = 0;  // 0 False, -1 True
    float DragOffsetX_ = 0;
    float DragOffsetY_ = 0;
};

}  // namespace chrome
