#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

namespace core {
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

// A non-negative number written out in decimal: the digits before the point
// and those after it.
struct FixedPoint {
    std::string integer;
    std::string fraction;
};

// `text` printed by the C library, cut at its decimal point: whatever
// character the locale prints there.
FixedPoint SplitAtPoint(std::string_view text) {
    const std::size_t point = text.find_first_not_of("0123456789");
    if (point == std::string_view::npos)
        return {std::string(text), ""};
    return {std::string(text.substr(0, point)), std::string(text.substr(point + 1))};
}

// Every decimal digit of `magnitude`. A double is an integer of 53 bits times
// 2^(exponent - 53), whose expansion ends after at most 53 - exponent
// fraction digits: asking for that many leaves nothing to round. The C
// library prints exact digits (glibc, MinGW-w64's own printf, the UCRT);
// std::to_chars would print the same, at the cost of a fifth of the
// program's size in tables.
FixedPoint ExactDigits(double magnitude) {
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int precision = std::max(0, std::numeric_limits<double>::digits - exponent);
    std::string text(
        static_cast<std::size_t>(std::numeric_limits<double>::max_exponent10 + 3 + precision),
        '\0');
    const int length = std::snprintf(text.data(), text.size(), "%.*f", precision, magnitude);
    text.resize(static_cast<std::size_t>(std::clamp(length, 0, static_cast<int>(text.size()) - 1)));
    return SplitAtPoint(text);
}

// `magnitude` taken to 15 significant decimal digits.
FixedPoint Digits15(double magnitude) {
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.14e", magnitude);
    std::string_view text(buffer, static_cast<std::size_t>(std::clamp(length, 0, 31)));
    std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (IsDigit(c))
            digits += c;
    }
    // d.dddddddddddddde+XX: the point stands after digit XX + 1.
    std::string_view exponentText = text.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    int exponent = 0;
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    const int point = exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (point <= 0)
        return {"0", std::string(static_cast<std::size_t>(-point), '0') + digits};
    if (point >= count)
        return {digits + std::string(static_cast<std::size_t>(point - count), '0'), ""};
    return {digits.substr(0, static_cast<std::size_t>(point)),
            digits.substr(static_cast<std::size_t>(point))};
}

// Whether the number lies exactly halfway between two hundredths.
bool IsHalfCent(const FixedPoint& number) {
    return number.fraction.find_last_not_of('0') == 2 && number.fraction[2] == '5';
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

// The digits of the number in hundredths, rounded to the nearest, halves
// up (away from zero, since the number is a magnitude).
std::string RoundToCents(const FixedPoint& number) {
    std::string cents = number.integer + (number.fraction + "00").substr(0, 2);
    if (number.fraction.size() > 2 && number.fraction[2] >= '5')
        Increment(cents);
    return cents;
}

}  // namespace

double Val(const std::string& text) {
    return ParseNumber(NumberPrefix(text));
}

std::string FormatFixed2(double value, const std::string& decimalSeparator) {
    const double magnitude = std::fabs(value);
    // Only whether the value lies halfway is decided on 15 digits, so that a
    // product exactly halfway in decimal (500 x 6.55957 = 3279.785) rounds
    // up although its binary value lies just below; any other value is
    // rounded as it is, which keeps the cents of amounts of 13 digits and more.
    const FixedPoint taken15 = Digits15(magnitude);
    std::string cents = RoundToCents(IsHalfCent(taken15) ? taken15 : ExactDigits(magnitude));
    cents.erase(0, std::min(cents.find_first_not_of('0'), cents.size()));
    const bool zero = cents.empty();
    while (cents.size() < 3)
        cents.insert(cents.begin(), '0');
    const std::string sign = (std::signbit(value) && !zero) ? "-" : "";
    return sign + cents.substr(0, cents.size() - 2) + decimalSeparator +
           cents.substr(cents.size() - 2);
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

}  // namespace core
