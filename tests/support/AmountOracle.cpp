#include "AmountOracle.h"

#include <cstdlib>

#include "DecimalReference.h"

namespace testing_support {
namespace {

// A display's value: a typed amount has a comma, a converted one the
// separator.
double ValueOf(std::string text, const std::string& separator) {
    for (const std::string& mark : {std::string(","), separator}) {
        const std::size_t at = text.find(mark);
        if (at != std::string::npos) {
            text.replace(at, mark.size(), ".");
            break;
        }
    }
    return std::strtod(text.c_str(), nullptr);
}

// Whether two displays show a pair that a conversion at `perEuro` wrote,
// from either side, or both "0" as they are at load.
bool ConvertedPair(const std::string& units, const std::string& euros, double perEuro,
                   const std::string& separator) {
    if (units == "0" && euros == "0")
        return true;
    return euros == ReferenceFixed2(ValueOf(units, separator) / perEuro, separator) ||
           units == ReferenceFixed2(ValueOf(euros, separator) * perEuro, separator);
}

std::string PairProblem(const char* window, const std::string& units, const std::string& euros) {
    return std::string(window) + " shows " + units + " beside " + euros +
           " euros, which no conversion at the legal rate gives";
}

}  // namespace

std::string MainAmountsProblem(const converter::frmConvalis& main, const std::string& separator) {
    using Window = converter::frmConvalis;
    const std::string& francs = main.DisplayText(Window::kPriceFrancs);
    const std::string& paid = main.DisplayText(Window::kPaidFrancs);
    const std::string& euros = main.DisplayText(Window::kPriceEuros);
    const std::string& change = main.DisplayText(Window::kChangeEuros);
    const bool typing = main.EntryInProgress();
    if ((!typing || main.ActiveField() == Window::kPaidFrancs) &&
        !ConvertedPair(francs, euros, kLegalFrancsPerEuro, separator)) {
        return PairProblem("the main window", francs, euros);
    }
    if (typing || (paid == "0" && change == "0"))
        return {};
    const std::string paidEuros =
        ReferenceFixed2(ValueOf(paid, separator) / kLegalFrancsPerEuro, separator);
    const double expected = ValueOf(paidEuros, separator) - ValueOf(euros, separator);
    if (change != ReferenceFixed2(expected, separator))
        return "a payment of " + paid + " francs for " + euros + " euros gives back " + change;
    return {};
}

std::string ZoneAmountsProblem(const zone::frmZoneEuro& zone, const std::string& separator) {
    using Window = zone::frmZoneEuro;
    if (zone.EntryInProgress())
        return {};
    const std::string& name = zone.DisplayText(Window::kCurrencyName);
    for (const LegalRate& rate : kLegalRates) {
        if (name != rate.currency)
            continue;
        const std::string& units = zone.DisplayText(Window::kCurrencyAmount);
        const std::string& euros = zone.DisplayText(Window::kEuroAmount);
        if (ConvertedPair(units, euros, rate.perEuro, separator))
            return {};
        return PairProblem(rate.currency, units, euros);
    }
    return "the euro-zone window names no currency: " + name;
}

}  // namespace testing_support
