// Amounts in and out through the clipboard: what a copy of a display gives
// and which pasted texts read as an amount. Pure text work, so that any
// input can be tried on it.
#pragma once

#include <optional>
#include <string>

namespace core {

// The text that a copy of an amount display gives: the display's text with
// its decimal comma (a typed amount always has one) made the user's decimal
// separator, or left a comma when a paste could not read that separator back
// (none, or one with a digit). Displays are never grouped, so neither is the
// copy.
std::string CopiedAmount(const std::string& display, const std::string& decimalSeparator);

// Reads a pasted UTF-8 text as an amount to type, for a user whose decimal
// separator is `decimalSeparator`. Accepted, once the blanks around it are
// trimmed: a number without sign made of digits, at most one decimal mark
// with at most two decimals after it, and at most 15 digits before it
// (leading zeros aside). The decimal mark is "," or "." or the user's
// separator. The digits before it may be grouped by threes with blanks
// (also no-break and narrow no-break spaces) or with the one of "." and ","
// that is not the decimal mark.
//
// The last mark is the decimal one when it is the user's separator, when
// the text also has another kind of separator before it ("1,234.56"), or
// when at most two digits follow it; otherwise it groups. So for a French
// reader "1.234" is 1234 and "1,234" is refused (three decimals), and the
// other way round for an English one.
//
// Gives the amount as typed (digits, then "," and the decimals when there is
// a decimal mark), or nothing for any other text.
std::optional<std::string> PastedAmount(const std::string& text,
                                        const std::string& decimalSeparator);

}  // namespace core
