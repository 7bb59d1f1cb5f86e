#include "core/Conversion.h"

#include "core/NumberText.h"
#include "core/Text.h"

namespace core {

double AmountValue(const std::string& text, const std::string& decimalSeparator) {
    return TextToDouble(CommaToPoint(text), decimalSeparator);
}

std::string AmountText(double value, const std::string& decimalSeparator) {
    return FormatFixed2(value, decimalSeparator);
}

double ChangeInEuros(double paidFrancs, double priceEuros, const std::string& decimalSeparator) {
    std::string paidEuros = AmountText(paidFrancs / FrancsPerEuro, decimalSeparator);
    return TextToDouble(paidEuros, decimalSeparator) - priceEuros;
}

}  // namespace core
