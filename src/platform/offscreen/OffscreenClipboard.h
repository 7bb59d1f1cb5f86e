// The offscreen clipboard: a text that the tests put there and read back,
// and a count of the beeps.
#pragma once

#include <string>

#include "platform/Clipboard.h"

namespace offscreen {

class OffscreenClipboard final : public platform::Clipboard {
public:
    // What the clipboard holds; empty for no text.
    const std::string& Contents() const { return text_; }
    void SetContents(std::string text) { text_ = std::move(text); }
    // While failing, the clipboard cannot be opened, as when another
    // program holds it.
    void SetFailing(bool failing) { failing_ = failing; }

    std::string Text(platform::WindowHandle owner) override;
    void SetText(platform::WindowHandle owner, const std::string& text) override;

private:
    void Open() const;

    std::string text_;
    bool failing_ = false;
};

class OffscreenBeeper final : public platform::Beeper {
public:
    int Beeps() const { return beeps_; }
    void Beep() override { ++beeps_; }

private:
    int beeps_ = 0;
};

}  // namespace offscreen
