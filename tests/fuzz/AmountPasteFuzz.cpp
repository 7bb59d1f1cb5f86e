// Any pasted text, for users with a decimal comma, point or middle dot: what
// the paste parser accepts is a typed amount with the digits of the text,
// and a copied amount pastes back as itself.
#include <cstdint>
#include <optional>
#include <string>

#include "AmountChecks.h"
#include "FuzzInput.h"
#include "core/ClipboardAmount.h"

namespace {

// Blanks around and between the digits: ASCII ones, the no-break space and
// the narrow no-break space (in UTF-8).
bool IsBlankAt(const std::string& text, std::size_t at, std::size_t& length) {
    for (const char* blank : {" ", "\t", "\r", "\n", "\u00A0", "\u202F"}) {
        const std::string piece(blank);
        if (text.compare(at, piece.size(), piece) == 0) {
            length = piece.size();
            return true;
        }
    }
    return false;
}

const char* const kSeparators[] = {",", ".", "\u00B7"};

// The digits of an accepted text without its leading zeros; nothing when it
// holds anything but digits, marks and blanks.
std::optional<std::string> SignificantDigits(const std::string& text) {
    std::string digits;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const char c = text[at];
        if (c >= '0' && c <= '9')
            digits += c;
        else if (text.compare(at, 2, "\u00B7") == 0)
            length = 2;
        else if (c != ',' && c != '.' && !IsBlankAt(text, at, length))
            return std::nullopt;
        at += length;
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
