#include "AmountChecks.h"

#include <algorithm>
#include <cstdlib>

#include "DecimalReference.h"

namespace testing_support {
namespace {

// The amounts a converter window must show are worked out apart from the
// program: the legal rates written out here, the displays read with the C
// library, and every converted text compared with the exact decimal
// reference.
struct LegalRate {
    const char* currency;
    double perEuro;  // units of the currency for one euro
};

constexpr double kLegalFrancsPerEuro = 6.55957;
constexpr LegalRate kLegalRates[] = {
    {"Drachme grecque", 340.75},   {"Escudo portugais", 200.482}, {"Florin néerlandais", 2.20371},
    {"Franc belge", 40.3399},      {"Franc français", 6.55957},   {"Franc luxembourg.", 40.3399},
    {"Lire italienne", 1936.27},   {"Mark allemand", 1.95583},    {"Mark finlandais", 5.94573},
    {"Peseta espagnole", 166.386}, {"Punt irlandais", 0.787564},  {"Shilling autrichien", 13.7603},
};

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Digits without a leading zero, "0" alone excepted.
bool IsInteger(const std::string& text, std::size_t maxDigits = std::string::npos) {
    return !text.empty() && text.size() <= maxDigits && AllDigits(text) &&
           (text == "0" || text[0] != '0');
}

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
// from either side, or both "0" as they are at load; empty when they do.
std::string PairProblem(const std::string& window, const std::string& units,
                        const std::string& euros, double perEuro, const std::string& separator) {
    if ((units == "0" && euros == "0") ||
        euros == ReferenceFixed2(ValueOf(units, separator) / perEuro, separator) ||
        units == ReferenceFixed2(ValueOf(euros, separator) * perEuro, separator)) {
        return {};
    }
    return window + " shows " + units + " beside " + euros +
           " euros, which no conversion at the legal rate gives";
}

// The displays all show amounts, and an entry in progress a typed one.
std::string ShapeProblem(const ui::ConverterForm& form, int first, int fields,
                         const std::string& separator) {
    for (int i = first; i < fields; ++i) {
        if (!IsTypedAmount(form.DisplayText(i)) &&
            !IsConvertedAmount(form.DisplayText(i), separator))
            return "display " + std::to_string(i) + " reads \"" + form.DisplayText(i) + "\"";
    }
    if (form.EntryInProgress() && !IsTypedAmount(form.DisplayText(form.ActiveField())))
        return "an entry in progress shows " + form.DisplayText(form.ActiveField());
    return {};
}

// While no entry is in progress the prices are a pair that a conversion
// wrote (or both "0", as loaded), and the change is the payment converted
// less the price in euros (or both "0", cleared by an entry); while the
// amount paid is typed, the prices stay a pair.
std::string MainWindowProblem(const converter::frmConvalis& main, const std::string& separator) {
    using Window = converter::frmConvalis;
    const int active = main.ActiveField();
    if (active == Window::kChangeEuros)
        return "the change is the active field";
    if (!main.ChangeRowShown() && active == Window::kPaidFrancs)
        return "the hidden amount paid is the active field";
    std::string problem = ShapeProblem(main, 0, Window::kFields, separator);
    const std::string& francs = main.DisplayText(Window::kPriceFrancs);
    const std::string& paid = main.DisplayText(Window::kPaidFrancs);
    const std::string& euros = main.DisplayText(Window::kPriceEuros);
    const std::string& change = main.DisplayText(Window::kChangeEuros);
    const bool typing = main.EntryInProgress();
    if (problem.empty() && (!typing || active == Window::kPaidFrancs))
        problem = PairProblem("the main window", francs, euros, kLegalFrancsPerEuro, separator);
    if (!problem.empty() || typing || (paid == "0" && change == "0"))
        return problem;
    const std::string paidEuros =
        ReferenceFixed2(ValueOf(paid, separator) / kLegalFrancsPerEuro, separator);
    const double expected = ValueOf(paidEuros, separator) - ValueOf(euros, separator);
    if (change != ReferenceFixed2(expected, separator))
        return "a payment of " + paid + " francs for " + euros + " euros gives back " + change;
    return {};
}

// The euro-zone window names a currency of the euro zone and, while no
// entry is in progress, shows a pair at its legal rate.
std::string ZoneWindowProblem(const zone::frmZoneEuro& zone, const std::string& separator) {
    using Window = zone::frmZoneEuro;
    const std::string& name = zone.DisplayText(Window::kCurrencyName);
    const auto rate =
        std::find_if(std::begin(kLegalRates), std::end(kLegalRates),
                     [&name](const LegalRate& rate) { return name == rate.currency; });
    if (rate == std::end(kLegalRates))
        return "the euro-zone window names no currency: " + name;
    if (zone.EntryInProgress() && zone.ActiveField() == Window::kCurrencyName)
        return "an entry in progress on the currency name";
    std::string problem = ShapeProblem(zone, Window::kCurrencyAmount, Window::kFields, separator);
    if (!problem.empty() || zone.EntryInProgress())
        return problem;
    return PairProblem(rate->currency, zone.DisplayText(Window::kCurrencyAmount),
                       zone.DisplayText(Window::kEuroAmount), rate->perEuro, separator);
}

// Whether the form's displays read `texts`.
bool Shows(const ui::ConverterForm& form, int fields, const std::vector<std::string>& texts) {
    for (int i = 0; i < fields; ++i) {
        if (texts.size() != static_cast<std::size_t>(fields) || form.DisplayText(i) != texts[i])
            return false;
    }
    return true;
}

void Keep(const ui::ConverterForm& form, int fields, std::vector<std::string>& texts) {
    texts.resize(static_cast<std::size_t>(fields));
    for (int i = 0; i < fields; ++i)
        texts[i] = form.DisplayText(i);
}

std::string Joined(const std::vector<std::string>& displays) {
    std::string joined;
    for (const std::string& display : displays)
        joined += (joined.empty() ? "" : " | ") + display;
    return joined;
}

}  // namespace

bool IsTypedAmount(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return IsInteger(text, 15);
    const std::string decimals = text.substr(comma + 1);
    return IsInteger(text.substr(0, comma), 15) && decimals.size() <= 2 && AllDigits(decimals);
}

bool IsConvertedAmount(const std::string& text, const std::string& separator) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string magnitude = negative ? text.substr(1) : text;
    if (magnitude.size() < separator.size() + 3)
        return false;
    const std::size_t point = magnitude.size() - 2 - separator.size();
    const std::string integer = magnitude.substr(0, point);
    const std::string cents = magnitude.substr(point + separator.size());
    return magnitude.compare(point, separator.size(), separator) == 0 && IsInteger(integer) &&
           AllDigits(cents) && !(negative && integer == "0" && cents == "00");
}

void ConverterChecks::Before(const offscreen::OffscreenWindow* active) {
    const std::string name = active != nullptr ? active->Name() : "";
    form_ = name == "frmConvalis" ? &main_ : name == "frmZoneEuro" ? &zone_ : nullptr;
    typing_ = form_ != nullptr && form_->form.EntryInProgress();
    if (form_ != nullptr && !typing_)
        Keep(form_->form, form_->fields, form_->beforeEntry);
}

std::string ConverterChecks::After(int keyCode, const std::string& separator) {
    std::string problem = Checked(main_, separator);
    if (problem.empty())
        problem = Checked(zone_, separator);
    if (!problem.empty() || keyCode != platform::vk::kEscape || form_ == nullptr ||
        !form_->form.Loaded()) {
        return problem;
    }
    if (form_->form.EntryInProgress())
        return "Escape left the entry in progress";
    if (typing_ && !Shows(form_->form, form_->fields, form_->beforeEntry)) {
        std::vector<std::string> now;
        Keep(form_->form, form_->fields, now);
        return "Escape brought back " + Joined(now) + ", not " + Joined(form_->beforeEntry) +
               " as before the entry";
    }
    return {};
}

// A window that shows what it showed when last found sound is left be: most
// keys change nothing, and the checks cost more than the keys.
std::string ConverterChecks::Checked(Watched& window, const std::string& separator) {
    if (!window.form.Loaded() || (!everyWindow_ && form_ != &window))
        return {};
    const converter::frmConvalis& main = program_.MainWindow();
    const std::string state = separator + char('0' + window.form.ActiveField()) +
                              (window.form.EntryInProgress() ? "+" : "-") +
                              (main.ChangeRowShown() ? "+" : "-");
    if (state == window.checkedState && Shows(window.form, window.fields, window.checked))
        return {};
    const std::string problem = &window == &main_
                                    ? MainWindowProblem(main, separator)
                                    : ZoneWindowProblem(program_.ZoneEuro(), separator);
    if (problem.empty()) {
        window.checkedState = state;
        Keep(window.form, window.fields, window.checked);
    }
    return problem;
}

}  // namespace testing_support
