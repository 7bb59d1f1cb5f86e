#include "app/Conversion.h"

#include "app/mMain.h"
#include "platform/NumberText.h"

namespace app {

double AmountValue(const std::string& text, const std::string& decimalSeparator) {
    return platform::TextToDouble(CommaToPoint(text), decimalSeparator);
}

std::string AmountText(double value, const std::string& decimalSeparator) {
    return platform::FormatFixed2(value, decimalSeparator);
}

double ChangeInEuros(double paidFrancs, double priceEuros, const std::string& decimalSeparator) {
    std::string paidEuros = AmountText(paidFrancs / FrancsPerEuro, decimalSeparator);
    return platform::TextToDouble(paidEuros, decimalSeparator) - priceEuros;
}

}  // namespace app
