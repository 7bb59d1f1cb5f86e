// The keyboard focus among a window's controls: the tab stops in the order
// the controls were added (the system's dialog navigation would follow the
// z-order, which the platform arranges for painting), the control that had
// the focus when the window was last deactivated, and the focus handed on
// when the system gives it to the window itself.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace win32 {

class FocusRing {
public:
    // `stops` tells the controls that can take the focus now, in tab order.
    FocusRing(const HWND& window, std::function<std::vector<HWND>()> stops)
        : window_(window), stops_(std::move(stops)) {}

    // Tab and Shift+Tab move the focus along the tab order; true when the
    // key was used so. `shift` is the key's shift state (KeyShiftState).
    bool Navigate(const MSG& msg, int shift);
    // The window is being deactivated: remembers its focused control.
    void Deactivated();
    // The system focused the window itself: the focus goes back to the
    // control that had it, or to the first tab stop.
    void Restore();

private:
    void Focus(HWND control);

    const HWND& window_;
    const std::function<std::vector<HWND>()> stops_;
    HWND lastFocus_ = nullptr;
};

}  // namespace win32
