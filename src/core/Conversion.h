// Reading amounts from displays and writing converted amounts into them.
#pragma once

#include <string>

namespace core {

// The fixed rate: francs for one euro.
inline constexpr double FrancsPerEuro = 6.55957;

// The value of a display's text: a typed amount has a decimal comma, a
// converted one the user's decimal separator; the first of either is made a
// point, then the text is read as a number ("12," reads 12, "0," reads 0).
double AmountValue(const std::string& text, const std::string& decimalSeparator);

// A value written with the pattern "0.00" in the user's number format.
std::string AmountText(double value, const std::string& decimalSeparator);

// The change in euros: the payment in francs converted and rounded to the
// cent as a display would show it, less the price in euros as displayed.
double ChangeInEuros(double paidFrancs, double priceEuros, const std::string& decimalSeparator);

}  // namespace core
