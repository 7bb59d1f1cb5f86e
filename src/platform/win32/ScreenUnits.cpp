#include "platform/win32/ScreenUnits.h"

#include "platform/win32/Handles.h"

namespace win32 {

namespace {

// A function of user32 as the type it is declared with, or null on a system
// without it. The detour through a function without parameters keeps GCC's
// function-cast check quiet.
template <typename Function>
Function FindInUser32(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    using Untyped = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Untyped>(::GetProcAddress(user32, name)));
}

platform::Dpi ScreenDpi() {
    ScreenDc screen;
    return platform::Dpi(::GetDeviceCaps(screen.Get(), LOGPIXELSX));
}

}  // namespace

ScreenUnits::ScreenUnits()
    : getDpiForWindow_(FindInUser32<GetDpiForWindowFunction>("GetDpiForWindow")),
      getSystemMetricsForDpi_(
          FindInUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi")) {
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    const auto getDpiForSystem = FindInUser32<GetDpiForSystemFunction>("GetDpiForSystem");
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
