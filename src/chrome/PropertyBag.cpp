#include "chrome/PropertyBag.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>

#include "platform/Types.h"

namespace chrome {
namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// A decimal integer, or a hexadecimal one written &H...; an optional sign.
bool ParseInteger(const std::string& text, std::int64_t* value) {
    const char* first = text.data();
    const char* last = first + text.size();
    bool negative = first != last && *first == '-';
    if (negative)
        ++first;
    int base = 10;
    if (last - first > 2 && first[0] == '&' && Lower(first[1]) == 'h') {
        first += 2;
        base = 16;
    }
    std::uint64_t magnitude = 0;
    auto result = std::from_chars(first, last, magnitude, base);
    if (result.ec != std::errc() || result.ptr != last || first == last)
        return false;
    if (magnitude > static_cast<std::uint64_t>(INT64_MAX))
        return false;
    *value = static_cast<std::int64_t>(magnitude);
    if (negative)
        *value = -*value;
    return true;
}

}  // namespace

bool PropertyBag::CaseInsensitiveLess::operator()(const std::string& a,
                                                  const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

void PropertyBag::WriteProperty(const std::string& key, std::int64_t value) {
    values_[key] = std::to_string(value);
}

void PropertyBag::WriteText(const std::string& key, const std::string& text) {
    values_[key] = text;
}

std::int64_t PropertyBag::ReadProperty(const std::string& key, std::int64_t fallback) const {
    auto found = values_.find(key);
    if (found == values_.end())
        return fallback;
    std::int64_t value = 0;
    if (!ParseInteger(found->second, &value))
        throw platform::RuntimeError("Type mismatch");
    return value;
}

bool PropertyBag::Contains(const std::string& key) const {
    return values_.count(key) != 0;
}

}  // namespace chrome
