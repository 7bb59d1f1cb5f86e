// Small text helpers shared by the layers above.
#pragma once

#include <string>

namespace core {

// The text before the first NUL character, or the whole text: what is left
// of a fixed buffer that a call filled.
std::string TrimAtNull(const std::string& text);

// The amount text with its first comma replaced by a point.
std::string CommaToPoint(const std::string& text);

}  // namespace core
