#include "core/Text.h"

namespace core {

std::string CommaToPoint(const std::string& text) {
    std::string result = text;
    std::size_t comma = result.find(',');
    if (comma != std::string::npos)
        result[comma] = '.';
    return result;
}

}  // namespace core
