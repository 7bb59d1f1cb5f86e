// Whether a text is well-formed UTF-8 (RFC 3629): what every text inside the
// program must be, whatever was read from outside.
#pragma once

#include <string_view>

namespace testing_support {

bool IsValidUtf8(std::string_view text);

}  // namespace testing_support
