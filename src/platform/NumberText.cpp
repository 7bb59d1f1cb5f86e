#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

namespace platform {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters of `text` that form a number at its start, blanks removed:
// [sign] digits [. digits] [E|D [sign] digits].
std::string NumberPrefix(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (!IsBlank(c))
            kept += c;
    }
    std::string number;
    std::size_t i = 0;
    auto take_digits = [&] {
        std::size_t start = i;
        while (i < kept.size() && IsDigit(kept[i]))
            number += kept[i++];
        return i > start;
    };
    if (i < kept.size() && (kept[i] == '-' || kept[i] == '+'))
        number += kept[i++];
    bool mantissa = take_digits();
    if (i < kept.size() && kept[i] == '.') {
        number += kept[i++];
        mantissa = take_digits() || mantissa;
    }
    if (!mantissa)
        return {};
    if (i < kept.size() && (kept[i] == 'E' || kept[i] == 'e' || kept[i] == 'D' || kept[i] == 'd')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < kept.size() && (kept[j] == '-' || kept[j] == '+'))
            exponent += kept[j++];
        std::size_t digits_start = j;
        while (j < kept.size() && IsDigit(kept[j]))
            exponent += kept[j++];
        if (j > digits_start)
            number += exponent;
    }
    return number;
}

double ParseNumber(const std::string& number) {
    if (number.empty())
        return 0.0;
    // from_chars accepts no leading '+'; the result is the same without it.
    std::string_view digits = number;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The value as decimal digits d1 d2 ... d15 and an exponent: value =
// 0.d1d2...d15 x 10^exponent. Zero gives empty digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal15(double value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal decimal;
    if (text.front() == '-') {
        decimal.negative = true;
        text.remove_prefix(1);
    }
    std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (IsDigit(c))
            decimal.digits += c;
    }
    decimal.exponent = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    if (decimal.digits.find_first_not_of('0') == std::string::npos)
        decimal.digits.clear();
    return decimal;
}

// Adds one to a string of decimal digits, growing it on a carry out.
void Increment(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

double Val(const std::string& text) {
    return ParseNumber(NumberPrefix(text));
}

std::string FormatFixed2(double value, const std::string& decimalSeparator) {
    Decimal decimal = ToDecimal15(value);
    // Digit k of `decimal.digits` weighs 10^(exponent - 1 - k): the first
    // `wanted` digits reach down to the hundredths.
    int wanted = decimal.exponent + 2;
    std::string cents = "0";
    bool round_up = false;
    if (wanted > 0) {
        cents.clear();
        for (int k = 0; k < wanted; ++k) {
            cents += k < static_cast<int>(decimal.digits.size()) ? decimal.digits[k] : '0';
        }
        round_up =
            wanted < static_cast<int>(decimal.digits.size()) && decimal.digits[wanted] >= '5';
    } else if (wanted == 0) {
        // The first digit is the thousandths.
        round_up = !decimal.digits.empty() && decimal.digits[0] >= '5';
    }
    if (round_up)
        Increment(cents);
    while (cents.size() < 3)
        cents.insert(cents.begin(), '0');
    bool zero = cents.find_first_not_of('0') == std::string::npos;
    std::string integer = cents.substr(0, cents.size() - 2);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    std::string sign = (decimal.negative && !zero) ? "-" : "";
    return sign + integer + decimalSeparator + cents.substr(cents.size() - 2);
}

double TextToDouble(const std::string& text, const std::string& decimalSeparator) {
    std::string normalised = text;
    if (!decimalSeparator.empty() && decimalSeparator != ".") {
        std::size_t at = normalised.find(decimalSeparator);
        if (at != std::string::npos)
            normalised.replace(at, decimalSeparator.size(), ".");
    }
    return Val(normalised);
}

}  // namespace platform
