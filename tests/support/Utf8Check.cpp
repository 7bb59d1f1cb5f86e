#include "Utf8Check.h"

#include <cstdint>

namespace testing_support {

// Decodes each sequence and rejects what is overlong, a surrogate, beyond
// U+10FFFF, cut short or a stray continuation byte.
bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        int length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, code = lead & 0x1F, smallest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, code = lead & 0x0F, smallest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, code = lead & 0x07, smallest = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

}  // namespace testing_support
