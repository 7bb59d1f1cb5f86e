#include "platform/UnicodeText.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The range the byte after a lead byte may take: narrower than 80..BF after
// E0, ED, F0 and F4, which excludes overlong forms, surrogates and code
// points beyond U+10FFFF.
struct SecondByte {
    std::uint8_t low;
    std::uint8_t high;
};

SecondByte SecondByteAfter(std::uint8_t lead) {
    switch (lead) {
        case 0xE0:
            return {0xA0, 0xBF};
        case 0xED:
            return {0x80, 0x9F};
        case 0xF0:
            return {0x90, 0xBF};
        case 0xF4:
            return {0x80, 0x8F};
        default:
            return {0x80, 0xBF};
    }
}

// How many bytes follow a lead byte; -1 for a byte that cannot lead.
int TrailingBytes(std::uint8_t lead) {
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

// Decodes the character at `at`, moving past it; a maximal ill-formed part
// reads as U+FFFD.
char32_t DecodeUtf8(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    const int trailing = TrailingBytes(lead);
    if (trailing <= 0)
        return trailing == 0 ? lead : kReplacement;
    char32_t code = lead & (0x3F >> trailing);
    for (int k = 0; k < trailing; ++k) {
        if (at >= text.size())
            return kReplacement;
        const auto next = static_cast<std::uint8_t>(text[at]);
        const SecondByte range = k == 0 ? SecondByteAfter(lead) : SecondByte{0x80, 0xBF};
        if (next < range.low || next > range.high)
            return kReplacement;
        code = (code << 6) | (next & 0x3F);
        ++at;
    }
    return code;
}

void AppendUtf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out.push_back(static_cast<char16_t>(code));
        return;
    }
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
        AppendUtf16(out, DecodeUtf8(utf8, at));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (IsHighSurrogate(code) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        } else if (IsHighSurrogate(code) || IsLowSurrogate(code)) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}

}  // namespace platform
