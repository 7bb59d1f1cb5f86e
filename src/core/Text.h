// Small text helpers shared by the layers above.
#pragma once

#include <string>

namespace core {

// The amount text with its first comma replaced by a point.
std::string CommaToPoint(const std::string& text);

}  // namespace core
