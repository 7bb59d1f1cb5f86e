#include "chrome/mRgn.h"

namespace chrome {

void ApplyWindowOutline(platform::Window& window, const platform::Screen& screen) {
    platform::Bounds bounds = window.Placement();
    bounds.width = kWindowWidthPixels * screen.TwipsPerPixelX();
    window.Move(bounds);
    bounds.height = kWindowHeightPixels * screen.TwipsPerPixelY();
    window.Move(bounds);
}

}  // namespace chrome
