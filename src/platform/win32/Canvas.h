// The controls that a window draws itself (labels, image buttons, lines):
// their order on the window, the topmost under a point, and the window's one
// paint of its image and of them, through an image of its own so that the
// screen never shows a half-drawn state.
#pragma once

#include <vector>

#include "platform/win32/BackingImage.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class TimingProbe;
class WindowlessControl;

class Canvas {
public:
    Canvas() = default;
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Add(WindowlessControl& control) { controls_.push_back(&control); }
    // From the top down: the upper layer, last added first, then the lower
    // layer (the labels, which paint the window's image under their text
    // and would cover the others), first added first.
    std::vector<WindowlessControl*> TopDown() const;
    // The topmost shown control at `point` (client pixels) that takes the
    // mouse; null when there is none.
    WindowlessControl* MouseTargetAt(POINT point) const;
    // Paints `area` of the window: its image, then each shown control that
    // meets the area and the region `dc` may paint, from the bottom up, each
    // clipped to its rectangle. The
    // benchmark's probe, if any, hears of each control painted.
    void Paint(HDC dc, const RECT& area, const BackingImage& image, TimingProbe* probe);

private:
    // The off-screen image, at least `width` x `height`; null if none can
    // be made.
    HDC Buffer(HDC like, int width, int height);
    // Calls `visit` on each control from the bottom up: TopDown's order
    // reversed, without making a list.
    template <typename Visit>
    void BottomUp(Visit&& visit) const;

    std::vector<WindowlessControl*> controls_;
    UniqueMemoryDc buffer_;
    UniqueBitmap bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win32
