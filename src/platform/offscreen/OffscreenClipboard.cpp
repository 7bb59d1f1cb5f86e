#include "platform/offscreen/OffscreenClipboard.h"

namespace offscreen {

void OffscreenClipboard::Open() const {
    if (failing_)
        throw platform::RuntimeError("the clipboard cannot be opened");
}

std::string OffscreenClipboard::Text(platform::WindowHandle /*owner*/) {
    Open();
    return text_;
}

void OffscreenClipboard::SetText(platform::WindowHandle /*owner*/, const std::string& text) {
    Open();
    text_ = text;
}

}  // namespace offscreen
