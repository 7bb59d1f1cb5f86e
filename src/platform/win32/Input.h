// Mouse and key messages read as the program's events.
#pragma once

#include <functional>

#include "platform/Controls.h"
#include "platform/Dpi.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

struct Runtime;

// The client point of a mouse message, signed: a captured mouse may be left
// of or above the window.
inline POINT MousePoint(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

// A mouse message turned into the program's event, in twips of the window
// that received it, at the scale of that window.
enum class MouseKind { kNone, kDown, kMove, kUp };
MouseKind ReadMouse(platform::Dpi dpi, UINT message, WPARAM wParam, LPARAM lParam,
                    platform::MouseEvent* event);

// Hands a mouse message of `hwnd` to the program through `deliver`, inside the
// handler guard. The window takes the mouse while a button is down, so that
// the release reaches the window that was pressed. False for other messages.
bool DeliverMouse(Runtime& runtime, platform::Dpi dpi, HWND hwnd, UINT message, WPARAM wParam,
                  LPARAM lParam,
                  const std::function<void(MouseKind, const platform::MouseEvent&)>& deliver);

// The shift state of a key message: 1 Shift, 2 Ctrl, 4 Alt.
int KeyShiftState(const MSG& msg);

}  // namespace win32
