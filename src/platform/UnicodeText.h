// Conversions between UTF-8, the program's texts, and UTF-16, the texts of
// Windows and of shortcut files. Pure C++, the same on every platform.
//
// Whatever one side holds that the other cannot express becomes U+FFFD, as
// Windows' own conversions do: a lone UTF-16 surrogate, or a byte sequence
// that is no UTF-8 (each maximal ill-formed part counts as one). So a text
// read from a file or the registry is always valid UTF-8 inside the program.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform
