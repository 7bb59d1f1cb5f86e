// The mouse over the controls that a window draws itself. The topmost control
// under the pointer that takes the mouse gets its events; a press gives it the
// mouse (the window captures it) until every button is up; a left-button
// press and its release over the same control is its click, and losing the
// mouse to another window in between cancels it. A link shows the hand.
#pragma once

#include "platform/Dpi.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class Canvas;
class WindowlessControl;
struct Runtime;

class ControlPointer {
public:
    ControlPointer(Runtime& runtime, const HWND& window, const Canvas& canvas)
        : runtime_(runtime), window_(window), canvas_(canvas) {}

    // A mouse message of the window: true when a control took it.
    bool Route(platform::Dpi dpi, UINT message, WPARAM wParam, LPARAM lParam);
    // WM_SETCURSOR over the client area: true when a control set the cursor.
    bool SetCursorShape() const;
    // WM_CAPTURECHANGED: the mouse went to `gainer`.
    void CaptureChanged(HWND gainer);

private:
    WindowlessControl* TargetAt(POINT point) const;

    Runtime& runtime_;
    const HWND& window_;
    const Canvas& canvas_;
    WindowlessControl* pressed_ = nullptr;
    bool clicking_ = false;
};

}  // namespace win32
