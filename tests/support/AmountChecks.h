// What a user relies on in the displays of the converter windows, their
// amounts to the cent against the legal rates included, checked by the randomised
// tests, the fuzzing of the amount entry and the soak.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "windows/converter/frmConvalis.h"
#include "windows/zone/frmZoneEuro.h"

namespace testing_support {

// The digits a typed amount may have before its comma.
inline constexpr std::size_t kTypedIntegerDigits = 15;

// Texts a user may paste: amounts in the forms people copy from pages and
// tables, and texts that are none.
inline const std::vector<std::string> kPastedTexts = {
    "1 234,5",    "0,05", "12.5", "1.234.567,89", "  42\r\n",         "123456789012345,99",
    "2\u202F365", "007",  "abc",  "-5",           "1234567890123456", "12 \u20AC",
    "1,2,3",      ""};

// A typed amount: "0" or digits without a leading zero, at most 15 of them,
// then optionally a comma and at most two digits.
bool IsTypedAmount(const std::string& text);

// A converted amount written with "0.00": an optional minus (never before
// zero), at most `maxIntegerDigits` digits without a leading zero, the
// separator, two digits.
bool IsConvertedAmount(const std::string& text, const std::string& separator,
                       std::size_t maxIntegerDigits);

// The digits before the separator of an amount of 15 typed digits times
// `factor`: a conversion by a rate above 1 adds digits.
std::size_t IntegerDigitsAfter(double factor);

// What is wrong with the main window's displays and entry state; empty
// when nothing is.
std::string MainWindowProblem(const converter::frmConvalis& main, const std::string& separator);
// The same for the euro-zone window.
std::string ZoneWindowProblem(const zone::frmZoneEuro& zone, const std::string& separator);

// Escape takes back an entry whole: after it, a converter window shows what
// it showed before the entry began.
class EscapeCheck {
public:
    // Before each event, with the converter window that takes input, if one
    // does, and its number of displays.
    void Before(const ui::ConverterForm* form, int fields);
    // After the event: what is wrong, when it was Escape; empty otherwise.
    std::string After(int keyCode) const;

private:
    std::vector<std::string> Displays() const;

    const ui::ConverterForm* form_ = nullptr;
    int fields_ = 0;
    bool typing_ = false;
    // Each window's displays before its entry.
    std::map<const ui::ConverterForm*, std::vector<std::string>> beforeEntry_;
};

}  // namespace testing_support
