#include "AmountChecks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "DecimalReference.h"
#include "core/Conversion.h"
#include "core/CurrencyTable.h"

namespace testing_support {
namespace {

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits without a leading zero, "0" alone excepted.
bool IsInteger(const std::string& text, std::size_t maxDigits) {
    return !text.empty() && text.size() <= maxDigits && AllDigits(text) &&
           (text == "0" || text[0] != '0');
}

std::string Describe(const char* window, int display, const std::string& text) {
    return std::string(window) + " display " + std::to_string(display) + " reads \"" + text + "\"";
}

// A display that shows a typed amount or one converted with "0.00".
bool IsAmount(const std::string& text, const std::string& separator, std::size_t maxDigits) {
    return IsTypedAmount(text) || IsConvertedAmount(text, separator, maxDigits);
}

std::string Joined(const std::vector<std::string>& displays) {
    std::string joined;
    for (const std::string& display : displays)
        joined += (joined.empty() ? "" : " | ") + display;
    return joined;
}

// The amounts a converter window must show, worked out apart from the
// program: the legal rates written out here, the displays read with the C
// library, and every converted text compared with the exact decimal
// reference.
struct LegalRate {
    const char* currency;
    double perEuro;  // units of the currency for one euro
};

inline constexpr double kLegalFrancsPerEuro = 6.55957;
inline constexpr std::array<LegalRate, 12> kLegalRates = {{
    {"Drachme grecque", 340.75},
    {"Escudo portugais", 200.482},
    {"Florin néerlandais", 2.20371},
    {"Franc belge", 40.3399},
    {"Franc français", 6.55957},
    {"Franc luxembourg.", 40.3399},
    {"Lire italienne", 1936.27},
    {"Mark allemand", 1.95583},
    {"Mark finlandais", 5.94573},
    {"Peseta espagnole", 166.386},
    {"Punt irlandais", 0.787564},
    {"Shilling autrichien", 13.7603},
}};

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

// What is wrong with the amounts the main window shows, to the cent; empty
// when nothing is. While no entry is in progress the prices are a pair that
// a conversion wrote (or both "0", as loaded), and the change is the payment
// converted less the price in euros (or both "0", cleared by an entry);
// while the amount paid is typed, the prices stay a pair.
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

// The same for the euro-zone window: while no entry is in progress, its two
// amounts are a pair at the legal rate of the currency it names.
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

}  // namespace

bool IsTypedAmount(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return IsInteger(text, kTypedIntegerDigits);
    const std::string decimals = text.substr(comma + 1);
    return IsInteger(text.substr(0, comma), kTypedIntegerDigits) && decimals.size() <= 2 &&
           AllDigits(decimals);
}

bool IsConvertedAmount(const std::string& text, const std::string& separator,
                       std::size_t maxIntegerDigits) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string magnitude = negative ? text.substr(1) : text;
    if (magnitude.size() < separator.size() + 3)
        return false;
    const std::size_t point = magnitude.size() - 2 - separator.size();
    const std::string integer = magnitude.substr(0, point);
    const std::string cents = magnitude.substr(point + separator.size());
    if (magnitude.compare(point, separator.size(), separator) != 0 ||
        !IsInteger(integer, maxIntegerDigits) || !AllDigits(cents)) {
        return false;
    }
    return !(negative && integer == "0" && cents == "00");
}

std::size_t IntegerDigitsAfter(double factor) {
    const double added = std::ceil(std::log10(factor));
    return kTypedIntegerDigits + static_cast<std::size_t>(std::max(0.0, added));
}

std::string MainWindowProblem(const converter::frmConvalis& main, const std::string& separator) {
    using Window = converter::frmConvalis;
    // Francs from euros gain a digit; the euros and the change do not.
    const std::size_t maxDigits[Window::kFields] = {IntegerDigitsAfter(core::FrancsPerEuro),
                                                    kTypedIntegerDigits, kTypedIntegerDigits,
                                                    kTypedIntegerDigits};
    for (int i = 0; i < Window::kFields; ++i) {
        if (!IsAmount(main.DisplayText(i), separator, maxDigits[i]))
            return Describe("main", i, main.DisplayText(i));
    }
    const int active = main.ActiveField();
    if (active == Window::kChangeEuros)
        return "the change is the active field";
    if (main.EntryInProgress() && !IsTypedAmount(main.DisplayText(active)))
        return "an entry in progress shows " + main.DisplayText(active);
    if (!main.ChangeRowShown() && active == Window::kPaidFrancs)
        return "the hidden amount paid is the active field";
    return MainAmountsProblem(main, separator);
}

std::string ZoneWindowProblem(const zone::frmZoneEuro& zone, const std::string& separator) {
    using Window = zone::frmZoneEuro;
    const auto [lowest, highest] =
        std::minmax_element(core::CurrencyRates.begin(), core::CurrencyRates.end());
    // Euros times the dearest rate, and the cheapest currency in euros.
    const std::size_t maxDigits[Window::kFields] = {0, IntegerDigitsAfter(*highest),
                                                    IntegerDigitsAfter(1 / *lowest)};
    if (zone.DisplayText(Window::kCurrencyName) != core::CurrencyNames.at(zone.CurrencyIndex()))
        return Describe("euro-zone", 0, zone.DisplayText(Window::kCurrencyName));
    for (int i = Window::kCurrencyAmount; i < Window::kFields; ++i) {
        if (!IsAmount(zone.DisplayText(i), separator, maxDigits[i]))
            return Describe("euro-zone", i, zone.DisplayText(i));
    }
    if (zone.EntryInProgress()) {
        if (zone.ActiveField() == Window::kCurrencyName)
            return "an entry in progress on the currency name";
        if (!IsTypedAmount(zone.DisplayText(zone.ActiveField())))
            return "an entry in progress shows " + zone.DisplayText(zone.ActiveField());
    }
    return ZoneAmountsProblem(zone, separator);
}

void EscapeCheck::Before(const ui::ConverterForm* form, int fields) {
    form_ = form;
    fields_ = fields;
    typing_ = form != nullptr && form->EntryInProgress();
    if (form != nullptr && !typing_)
        beforeEntry_[form] = Displays();
}

std::string EscapeCheck::After(int keyCode) const {
    if (keyCode != platform::vk::kEscape || form_ == nullptr || !form_->Loaded())
        return {};
    if (form_->EntryInProgress())
        return "Escape left the entry in progress";
    const std::vector<std::string>& before = beforeEntry_.at(form_);
    if (typing_ && Displays() != before)
        return "Escape brought back " + Joined(Displays()) + ", not " + Joined(before) +
               " as before the entry";
    return {};
}

std::vector<std::string> EscapeCheck::Displays() const {
    std::vector<std::string> displays;
    for (int i = 0; i < fields_; ++i)
        displays.push_back(form_->DisplayText(i));
    return displays;
}

}  // namespace testing_support
