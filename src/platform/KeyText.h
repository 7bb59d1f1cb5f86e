// The keystroke text of Keyboard::SendKeys, read the same way on every
// platform.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The virtual-key codes of `text`: digits, "~" for Enter, and key names in
// braces, in any case: "{F1}" to "{F12}", "{ENTER}", "{TAB}", "{ESC}" or
// "{ESCAPE}", "{BACKSPACE}", "{BS}" or "{BKSP}". Anything else raises
// "Invalid procedure call or argument".
std::vector<int> ParseKeystrokes(const std::string& text);

}  // namespace platform
