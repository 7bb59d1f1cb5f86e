// The system clipboard's text, and the standard beep by which the program
// refuses what it cannot take, such as a paste that is no amount.
#pragma once

#include <string>

#include "platform/Types.h"

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text, in UTF-8; empty when it holds no text. Raises
    // the run-time error when the clipboard cannot be opened.
    virtual std::string Text(WindowHandle owner) = 0;
    // Puts `text` (UTF-8) on the clipboard in place of what it held, for
    // `owner`; raises the run-time error when that fails.
    virtual void SetText(WindowHandle owner, const std::string& text) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    // The system's standard beep.
    virtual void Beep() = 0;
};

}  // namespace platform
