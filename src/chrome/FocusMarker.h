// The focus marker of a converter window: a drawing surface beside the
// active display, with a solid triangle pointing left drawn on it once.
#pragma once

#include <optional>

#include "chrome/nrvGDICtl.h"
#include "platform/Platform.h"

namespace chrome {

class FocusMarker {
public:
    // Creates the marker's surface on `window` at its design place, with the
    // design's saved state.
    FocusMarker(platform::Platform& platform, platform::Window& window,
                const platform::Bounds& designBounds);

    // The load step: sizes the marker to 6 x 12 pixels of a 96-dpi screen,
    // at the window's scale, beside `display`, draws the triangle and shows
    // it.
    void SetUp(const platform::Bounds& display);
    // The window changed scale: the marker takes the new scale's size where
    // it stands, and its triangle is drawn again for it.
    void Rescale();
    // Moves the marker beside `display`; the triangle moves with it.
    void PlaceBeside(const platform::Bounds& display);

    const platform::Surface& Surface() const { return control_.Surface(); }

private:
    // Sizes the marker at its place `left`, `top`.
    void SizeAt(int left, int top);
    void DrawTriangle();

    platform::Platform& platform_;
    platform::Window& window_;
    nrvGDICtl control_;
};

// The saved design of the focus marker, as both converter windows hold it.
PropertyBag FocusMarkerDesign();

}  // namespace chrome
