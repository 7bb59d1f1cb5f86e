#include "platform/win32/ScreenUnits.h"

#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"

namespace win32 {

namespace {

platform::Dpi ScreenDpi() {
    ScreenDc screen;
    return platform::Dpi(::GetDeviceCaps(screen.Get(), LOGPIXELSX));
}

}  // namespace

// user32 is loaded already (the program imports it): this only finds it.
ScreenUnits::ScreenUnits()
    : user32_(L"user32.dll"),
      getDpiForWindow_(user32_.Find<GetDpiForWindowFunction>("GetDpiForWindow")),
      getSystemMetricsForDpi_(
          user32_.Find<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi")) {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    const auto getDpiForSystem = user32_.Find<GetDpiForSystemFunction>("GetDpiForSystem");
    systemDpi_ = getDpiForSystem != nullptr ? platform::Dpi(static_cast<int>(getDpiForSystem()))
                                            : ScreenDpi();
}

platform::Dpi ScreenUnits::WindowDpi(HWND hwnd) const {
    if (getDpiForWindow_ != nullptr && hwnd != nullptr) {
        const UINT dpi = getDpiForWindow_(hwnd);
        if (dpi != 0) {
            return platform::Dpi(static_cast<int>(dpi));
        }
    }
    return systemDpi_;
}

int ScreenUnits::SystemMetric(int index, platform::Dpi dpi) const {
    if (getSystemMetricsForDpi_ != nullptr) {
        return getSystemMetricsForDpi_(index, static_cast<UINT>(dpi.Value()));
    }
    // The system's metrics are at its own scale.
    return ::MulDiv(::GetSystemMetrics(index), dpi.Value(), systemDpi_.Value());
}

RECT ToPixels(platform::Dpi dpi, const platform::Bounds& bounds) {
    const int left = dpi.ToPixels(bounds.left);
    const int top = dpi.ToPixels(bounds.top);
    return RECT{left, top, left + dpi.ToPixels(bounds.width), top + dpi.ToPixels(bounds.height)};
}

}  // namespace win32
