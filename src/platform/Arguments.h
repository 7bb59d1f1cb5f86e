// The argument rules of the platform interfaces, the same for every backend:
// a public call checks its arguments here, then hands them to the backend.
#pragma once

#include "platform/Types.h"

namespace platform {

// The system colours that exist: indices 0 to 30.
constexpr int kSystemColorCount = 31;

// Raises the run-time error of a property set to a value it cannot take.
inline void RequireValidProperty(bool valid) {
    if (!valid)
        throw RuntimeError("Invalid property value");
}

// Raises the run-time error of a call on a window that is not loaded (an
// unloaded window's handle is 0).
inline void RequireLoaded(WindowHandle window) {
    if (window == 0)
        throw RuntimeError("The window is not loaded");
}

// Whether an OLE colour names a colour: an RGB value, or a system colour
// that exists.
constexpr bool IsValidOleColor(OleColor color) {
    if ((color & 0x80000000u) == 0)
        return color <= 0xFFFFFFu;
    return (color & 0x7FFFFF00u) == 0 && (color & 0xFFu) < kSystemColorCount;
}

// Whether a valid OLE colour is a system colour rather than an RGB value,
// and its index then.
constexpr bool IsSystemColor(OleColor color) {
    return (color & 0x80000000u) != 0;
}
constexpr int SystemColorIndex(OleColor color) {
    return static_cast<int>(color & 0xFFu);
}

}  // namespace platform
