#include "platform/win32/Canvas.h"

#include <algorithm>

#include "platform/win32/TimingProbe.h"
#include "platform/win32/Win32Controls.h"

namespace win32 {

Canvas::~Canvas() {
    // The bitmap may be deleted only once it is no longer selected.
    if (buffer_) {
        ::SelectObject(buffer_.Get(), originalBitmap_);
    }
}

template <typename Visit>
void Canvas::BottomUp(Visit&& visit) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->ControlLayer() == WindowlessControl::Layer::kBelow) {
            visit(**it);
        }
    }
    for (WindowlessControl* control : controls_) {
        if (control->ControlLayer() == WindowlessControl::Layer::kAbove) {
            visit(*control);
        }
    }
}

std::vector<WindowlessControl*> Canvas::TopDown() const {
    std::vector<WindowlessControl*> order;
    order.reserve(controls_.size());
    BottomUp([&order](WindowlessControl& control) { order.push_back(&control); });
    std::reverse(order.begin(), order.end());
    return order;
}

WindowlessControl* Canvas::MouseTargetAt(POINT point) const {
    for (WindowlessControl* control : TopDown()) {
        const RECT rect = control->PixelRect();
        if (control->Shown() && control->TakesMouse() && ::PtInRect(&rect, point)) {
            return control;
        }
    }
    return nullptr;
}

HDC Canvas::Buffer(HDC like, int width, int height) {
    if (buffer_ && width <= width_ && height <= height_) {
        return buffer_.Get();
    }
    if (buffer_) {
        ::SelectObject(buffer_.Get(), originalBitmap_);
    }
    width_ = std::max(width, width_);
    height_ = std::max(height, height_);
    buffer_.Reset(::CreateCompatibleDC(like));
    bitmap_.Reset(::CreateCompatibleBitmap(like, width_, height_));
    if (!buffer_ || !bitmap_) {
        buffer_.Reset();
        bitmap_.Reset();
        width_ = height_ = 0;
        return nullptr;
    }
    originalBitmap_ = ::SelectObject(buffer_.Get(), bitmap_.Get());
    return buffer_.Get();
}

void Canvas::Paint(HDC dc, const RECT& area, const BackingImage& image, TimingProbe* probe) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // The buffer holds the area at its top-left corner: its origin moves so
    // that everything draws in the window's client coordinates.
    HDC buffer = Buffer(dc, width, height);
    HDC target = buffer != nullptr ? buffer : dc;
    POINT previousOrigin{};
    if (buffer != nullptr) {
        ::SetViewportOrgEx(buffer, -area.left, -area.top, &previousOrigin);
    }
    image.Paint(target, area);
    BottomUp([&](WindowlessControl& control) {
        const RECT rect = control.PixelRect();
        RECT visible{};
        // The area is the box round what is to be painted: a control
        // outside the region itself (between two displays) is left alone.
        if (!control.Shown() || !::IntersectRect(&visible, &rect, &area) ||
            !::RectVisible(dc, &rect)) {
            return;
        }
        const int saved = ::SaveDC(target);
        ::IntersectClipRect(target, visible.left, visible.top, visible.right, visible.bottom);
        control.Paint(target, rect);
        ::RestoreDC(target, saved);
        if (probe != nullptr) {
            probe->ControlPainted(&control);
        }
    });
    if (buffer != nullptr) {
        ::SetViewportOrgEx(buffer, previousOrigin.x, previousOrigin.y, nullptr);
        ::BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    }
}

}  // namespace win32
