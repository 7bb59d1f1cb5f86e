#include "platform/win32/FocusRing.h"

#include <algorithm>

#include "platform/TabOrder.h"
#include "platform/Types.h"

namespace win32 {

bool FocusRing::Navigate(const MSG& msg, int shift) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) {
        return false;
    }
    if ((shift & ~platform::shift::kShift) != 0 || window_ == nullptr ||
        !::IsWindowVisible(window_)) {
        return false;
    }
    const std::vector<HWND> stops = stops_();
    if (stops.empty()) {
        return false;
    }
    Focus(platform::NextTabStop(stops, ::GetFocus(), (shift & platform::shift::kShift) != 0));
    return true;
}

void FocusRing::Deactivated() {
    HWND focus = ::GetFocus();
    lastFocus_ = ::IsChild(window_, focus) ? focus : nullptr;
}

void FocusRing::Restore() {
    const std::vector<HWND> stops = stops_();
    if (stops.empty()) {
        return;
    }
    const bool hadFocus = std::find(stops.begin(), stops.end(), lastFocus_) != stops.end();
    Focus(hadFocus ? lastFocus_ : stops.front());
}

void FocusRing::Focus(HWND control) {
    ::SetFocus(control);
    // The focus rectangle shows whichever way the window was reached; the
    // system may have hidden it until the keyboard is used.
    ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace win32
