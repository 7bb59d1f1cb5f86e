// The number services, free of any locale of the C runtime: the decimal
// separator of the user's number format is passed in.
#pragma once

#include <string>

namespace core {

// Reads a number from the start of `text` with the point as decimal
// separator: blanks are skipped, reading stops at the first character that
// cannot continue the number, and a text without a number reads as 0.
double Val(const std::string& text);

// Formats `value` with the pattern "0.00": at least one digit before the
// separator, exactly two after, no grouping, a leading minus for a negative
// value. Rounds the value to the nearest cent, halves away from zero; whether
// it lies halfway is decided on the value taken to 15 significant decimal
// digits. Never gives "-0.00". `value` is finite.
std::string FormatFixed2(double value, const std::string& decimalSeparator);

// Converts a text in the user's number format to a double; 0 when it holds
// no number.
double TextToDouble(const std::string& text, const std::string& decimalSeparator);

}  // namespace core
