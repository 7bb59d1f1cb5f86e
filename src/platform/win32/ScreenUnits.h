// The screen's twips per pixel, read once, and the conversions the windows
// and controls make with them.
#pragma once

#include "platform/Types.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class ScreenUnits {
public:
    ScreenUnits();

    int TwipsPerPixelX() const { return twipsPerPixelX_; }
    int TwipsPerPixelY() const { return twipsPerPixelY_; }
    int ToPixelsX(int twips) const;
    int ToPixelsY(int twips) const;
    int ToTwipsX(int pixels) const { return pixels * twipsPerPixelX_; }
    int ToTwipsY(int pixels) const { return pixels * twipsPerPixelY_; }
    RECT ToPixels(const platform::Bounds& bounds) const;

private:
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
};

}  // namespace win32
