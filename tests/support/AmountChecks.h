// What a user relies on in the displays of the converter windows, their
// amounts to the cent against the legal rates included, checked by the
// fuzzing of the amount entry and the soak.
#pragma once

#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace testing_support {

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
// zero), digits without a leading zero, the separator, two digits.
bool IsConvertedAmount(const std::string& text, const std::string& separator);

// What a user relies on in the converter windows, checked around each event
// in every one that is loaded or only in the one that took the event: sound displays, every
// converted pair equal to the exact decimal reference at the legal rate, to the cent, the entry
// state in agreement with the displays, and Escape taking back an entry whole.
class ConverterChecks {
public:
    ConverterChecks(app::Program& program, bool everyWindow)
        : program_(program), everyWindow_(everyWindow) {}

    // Before each event, with the window that takes input (null when none).
    void Before(const offscreen::OffscreenWindow* active);
    // After it, with the key it was (0 for none): what is wrong; empty when
    // nothing is.
    std::string After(int keyCode, const std::string& separator);

private:
    // A converter window, what it showed when last found sound, and its
    // displays before its entry.
    struct Watched {
        const ui::ConverterForm& form;
        int fields;
        std::string checkedState;
        std::vector<std::string> checked;
        std::vector<std::string> beforeEntry;
    };
    std::string Checked(Watched& window, const std::string& separator);

    app::Program& program_;
    bool everyWindow_;
    Watched main_{program_.MainWindow(), converter::frmConvalis::kFields, {}, {}, {}};
    Watched zone_{program_.ZoneEuro(), zone::frmZoneEuro::kFields, {}, {}, {}};
    // The window that takes the event, if it is a converter window.
    Watched* form_ = nullptr;
    bool typing_ = false;
};

}  // namespace testing_support
