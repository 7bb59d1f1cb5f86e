#include "platform/win32/FormToolTips.h"

#include <algorithm>

#include "platform/win32/CommonControls.h"
#include "platform/win32/Input.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Controls.h"

namespace win32 {

namespace {

TTTOOLINFOW ToolOf(HWND window, const WindowlessControl& control) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(&control);
    return tool;
}

}  // namespace

bool FormToolTips::OverATip(LPARAM lParam, const std::vector<WindowlessControl*>& topDown) {
    const POINT point = MousePoint(lParam);
    return std::any_of(topDown.begin(), topDown.end(), [&](const WindowlessControl* control) {
        const RECT rect = ToolRect(*control);
        return !control->ToolTipText().empty() && ::PtInRect(&rect, point) != FALSE;
    });
}

RECT FormToolTips::ToolRect(const WindowlessControl& control) {
    return control.Shown() ? control.PixelRect() : RECT{};
}

bool FormToolTips::Make(const std::vector<WindowlessControl*>& topDown) {
    tried_ = true;
    if (CommonControls::Load() == nullptr) {
        return false;  // no tooltips on this system; the controls work without
    }
    // Owned by the window, so that it shows above it.
    toolTip_.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                     runtime_.instance, nullptr));
    if (!toolTip_) {
        return false;
    }
    for (const WindowlessControl* control : topDown) {
        const std::wstring& text = control->ToolTipText();
        if (text.empty()) {
            continue;
        }
        TTTOOLINFOW tool = ToolOf(window_, *control);
        tool.rect = ToolRect(*control);
        // The tooltip only reads the text; the control keeps it.
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(toolTip_.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return true;
}

void FormToolTips::Relay(UINT message, WPARAM wParam, LPARAM lParam,
                         const std::vector<WindowlessControl*>& topDown) {
    if (!toolTip_ &&
        (message != WM_MOUSEMOVE || tried_ || !OverATip(lParam, topDown) || !Make(topDown))) {
        return;
    }
    MSG relayed{window_, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    ::GetCursorPos(&relayed.pt);
    ::SendMessageW(toolTip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void FormToolTips::Follow(const WindowlessControl& control) const {
    if (!toolTip_ || control.ToolTipText().empty()) {
        return;
    }
    TTTOOLINFOW tool = ToolOf(window_, control);
    tool.rect = ToolRect(control);
    ::SendMessageW(toolTip_.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace win32
