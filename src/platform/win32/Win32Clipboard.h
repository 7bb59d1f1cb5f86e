// The system clipboard's text (CF_UNICODETEXT) and the standard beep.
#pragma once

#include <string>

#include "platform/Clipboard.h"

namespace win32 {

class Win32Clipboard final : public platform::Clipboard {
public:
    std::string Text(platform::WindowHandle owner) override;
    void SetText(platform::WindowHandle owner, const std::string& text) override;
};

class Win32Beeper final : public platform::Beeper {
public:
    void Beep() override;
};

}  // namespace win32
