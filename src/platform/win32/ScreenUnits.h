// The scale of the system and of each window, and the conversions between
// twips and a window's pixels.
//
// The program is aware of each monitor's scale (its manifest says so): a
// window is laid out in pixels of the monitor it stands on. The functions
// that tell a window's scale are not on every system (Windows 10 1607 brought
// most of them; Wine has them): they are looked up once, and where one is
// missing the screen's device context tells the one scale of the system.
#pragma once

#include "platform/Dpi.h"
#include "platform/Types.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class ScreenUnits {
public:
    ScreenUnits();

    platform::Dpi SystemDpi() const { return systemDpi_; }
    // The scale of the monitor the window stands on.
    platform::Dpi WindowDpi(HWND hwnd) const;
    // A system metric (SM_CXSMICON...) at a scale.
    int SystemMetric(int index, platform::Dpi dpi) const;

private:
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

    // Declared first: the functions below are found in it.
    SystemLibrary user32_;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    platform::Dpi systemDpi_;
};

// A rectangle in twips as pixels of a scale: its left and top converted, and
// its width and height, so that equal sizes stay equal wherever they stand.
RECT ToPixels(platform::Dpi dpi, const platform::Bounds& bounds);

}  // namespace win32
