// The modifier keys in the shift state that key handlers receive.
#pragma once

#include "platform/Types.h"

namespace ui {

inline bool AltHeld(int shift) {
    return (shift & platform::shift::kAlt) != 0;
}

inline bool ShiftHeld(int shift) {
    return (shift & platform::shift::kShift) != 0;
}

}  // namespace ui
