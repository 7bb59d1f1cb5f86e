#include "platform/win32/ScreenUnits.h"

#include <cmath>

#include "platform/win32/Handles.h"

namespace win32 {

namespace {

int TwipsPerPixel(int pixelsPerInch) {
    return pixelsPerInch > 0 ? 1440 / pixelsPerInch : 15;
}

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

}  // namespace

ScreenUnits::ScreenUnits() {
    ScreenDc screen;
    twipsPerPixelX_ = TwipsPerPixel(::GetDeviceCaps(screen.Get(), LOGPIXELSX));
    twipsPerPixelY_ = TwipsPerPixel(::GetDeviceCaps(screen.Get(), LOGPIXELSY));
}

int ScreenUnits::ToPixelsX(int twips) const {
    return Round(static_cast<double>(twips) / twipsPerPixelX_);
}

int ScreenUnits::ToPixelsY(int twips) const {
    return Round(static_cast<double>(twips) / twipsPerPixelY_);
}

RECT ScreenUnits::ToPixels(const platform::Bounds& bounds) const {
    const int left = ToPixelsX(bounds.left);
    const int top = ToPixelsY(bounds.top);
    return RECT{left, top, left + ToPixelsX(bounds.width), top + ToPixelsY(bounds.height)};
}

}  // namespace win32
