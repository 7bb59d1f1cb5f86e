// The tooltips of the controls that a window draws itself: one tooltip
// control for the window, with a tool for each control that has a tip, its
// rectangle the control's. The tooltip control is made when the pointer
// first moves over a control with a tip (which loads the common controls:
// the start needs none of them, nor does a window that appears under a
// pointer resting elsewhere) and sees the window's mouse messages from then on.
#pragma once

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class WindowlessControl;
struct Runtime;

class FormToolTips {
public:
    FormToolTips(Runtime& runtime, const HWND& window) : runtime_(runtime), window_(window) {}

    // A mouse message of the window. The first move over a control with a
    // tip makes the tooltip control, with a tool for each such control of
    // `topDown` (the tooltip shows the first tool under the pointer: the
    // upper control's).
    void Relay(UINT message, WPARAM wParam, LPARAM lParam,
               const std::vector<WindowlessControl*>& topDown);
    // The control moved, was shown or hidden: its tool follows.
    void Follow(const WindowlessControl& control) const;
    // The window is being destroyed, and the tooltip with it.
    void Destroy() { toolTip_.Reset(); }
    // The system destroyed the tooltip with its owner.
    void Forget() { toolTip_.Release(); }

private:
    static bool OverATip(LPARAM lParam, const std::vector<WindowlessControl*>& topDown);
    bool Make(const std::vector<WindowlessControl*>& topDown);
    // The tool's rectangle: the control's while it is shown, else none.
    static RECT ToolRect(const WindowlessControl& control);

    Runtime& runtime_;
    const HWND& window_;
    UniqueWindow toolTip_;
    bool tried_ = false;
};

}  // namespace win32
