// Any pasted text, for users with a decimal comma, point or middle dot: what
// the paste parser accepts is a typed amount with the digits of the text,
// and a copied amount pastes back as itself.
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "AmountChecks.h"
#include "FuzzInput.h"
#include "core/ClipboardAmount.h"

namespace {

const char* const kSeparators[] = {",", ".", "\u00B7"};

// The digits of an accepted text without its leading zeros; nothing when it
// holds anything but digits, marks and blanks: ASCII ones, the no-break
// space and the narrow no-break space (in UTF-8).
std::optional<std::string> SignificantDigits(const std::string& text) {
    std::string digits;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] >= '0' && text[at] <= '9') {
            digits += text[at];
        } else if (std::strchr(" \t\r\n,.", text[at]) == nullptr || text[at] == '\0') {
            std::size_t length = 0;
            for (const std::string mark : {"\u00B7", "\u00A0", "\u202F"})
                length = text.compare(at, mark.size(), mark) == 0 ? mark.size() : length;
            if (length == 0)
                return std::nullopt;
            at += length - 1;
        }
    }
    digits.erase(0, digits.find_first_not_of('0'));
    return digits;
}

void CheckAccepted(const std::string& text, const std::string& amount, const char* separator) {
    fuzzing::Expect(testing_support::IsTypedAmount(amount),
                    "\"" + text + "\" pastes as \"" + amount + "\", no typed amount");
    const std::optional<std::string> pasted = SignificantDigits(text);
    fuzzing::Expect(pasted.has_value(), "\"" + text + "\" holds more than an amount");
    fuzzing::Expect(*pasted == SignificantDigits(amount),
                    "\"" + text + "\" pastes as \"" + amount + "\", other digits");
    fuzzing::Expect(core::PastedAmount(amount, separator) == amount,
                    "the typed amount \"" + amount + "\" pastes otherwise");
    fuzzing::Expect(core::PastedAmount(core::CopiedAmount(amount, separator), separator) == amount,
                    "a copy of \"" + amount + "\" with " + separator + " pastes otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* separator : kSeparators) {
        if (const std::optional<std::string> amount = core::PastedAmount(text, separator))
            CheckAccepted(text, *amount, separator);
    }
    return 0;
}
