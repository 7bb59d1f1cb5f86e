// Amounts in and out through the clipboard: what a copy of a display gives
// and which pasted texts read as an amount. Pure text work, so that any
// input can be tried on it.
#pragma once

#include <optional>
#include <string>

namespace core {

// The text that a copy of an amount display gives: the display's text with
// its decimal comma (a typed amount always has one) made the user's decimal
// separator. Displays are never grouped, so neither is the copy.
std::string CopiedAmount(const std::string& display, const std::string& decimalSeparator);

// Reads a pasted UTF-8 text as an amount to type. Accepted, once the blanks
// around it are trimmed: a number without sign made of digits, at most one
// decimal mark ("," or ".") with at most two decimals after it, and at most
// 15 digits before it (leading zeros aside). The digits before the mark may
// be grouped by threes with blanks (also no-break and narrow no-break
// spaces) or with the one of "." and "," that is not the decimal mark. The
// last mark is the decimal one when the text also has another kind of
// separator before it, or when at most two digits follow it; otherwise
// every mark groups, so "1.234" and "1,234" are both 1234.
//
// Gives the amount as typed (digits, then "," and the decimals when there is
// a decimal mark), or nothing for any other text.
std::optional<std::string> PastedAmount(const std::string& text);

}  // namespace core
