// The modifier keys in the shift state that key handlers receive, and the
// clipboard keys.
#pragma once

#include "platform/Types.h"

namespace ui {

inline bool AltHeld(int shift) {
    return (shift & platform::shift::kAlt) != 0;
}

inline bool ShiftHeld(int shift) {
    return (shift & platform::shift::kShift) != 0;
}

inline bool CtrlHeld(int shift) {
    return (shift & platform::shift::kCtrl) != 0;
}

enum class ClipboardKey { kNone, kCopy, kPaste };

// Ctrl+C and Ctrl+Insert copy, Ctrl+V and Shift+Insert paste; with Alt held
// (AltGr types characters as Ctrl+Alt) they are no clipboard keys.
inline ClipboardKey ClipboardKeyOf(int keyCode, int shift) {
    if (AltHeld(shift))
        return ClipboardKey::kNone;
    if (keyCode == platform::vk::kInsert && CtrlHeld(shift))
        return ClipboardKey::kCopy;
    if (keyCode == platform::vk::kInsert && ShiftHeld(shift))
        return ClipboardKey::kPaste;
    if (keyCode == 'C' && CtrlHeld(shift))
        return ClipboardKey::kCopy;
    if (keyCode == 'V' && CtrlHeld(shift))
        return ClipboardKey::kPaste;
    return ClipboardKey::kNone;
}

}  // namespace ui
