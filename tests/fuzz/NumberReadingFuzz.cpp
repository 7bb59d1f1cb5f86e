// Any text read as a number: Val agrees with the C library's strtod on the
// number at the start of the text, blanks left out. (Typed amounts read
// through either separator are the amount-entry fuzzer's.)
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>

#include "FuzzInput.h"
#include "core/NumberText.h"

namespace {

// Longer texts are only read, not compared: std::regex recurses on them.
constexpr std::size_t kComparedLength = 200;

// The number at the start of the text as Val's rule states it: blanks
// anywhere are left out; a sign, digits with at most one point, and an
// exponent by E or D.
const std::regex kNumber("^[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eEdD][+-]?[0-9]+)?");

std::string WithoutBlanks(const std::string& text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            kept += c;
    }
    return kept;
}

void CheckVal(const std::string& text) {
    const double value = core::Val(text);
    fuzzing::Expect(!std::isnan(value), "Val gave NaN for " + text);
    if (text.size() > kComparedLength)
        return;
    std::smatch match;
    const std::string kept = WithoutBlanks(text);
    if (!std::regex_search(kept, match, kNumber)) {
        fuzzing::Expect(value == 0, "Val read a number in \"" + text + "\"");
        return;
    }
    std::string number = match.str();
    for (char& c : number) {
        if (c == 'd' || c == 'D')
            c = 'e';
    }
    errno = 0;
    const double expected = std::strtod(number.c_str(), nullptr);
    // No display holds a number beyond a double's range: Val is not held
    // to strtod's answer there.
    if (errno == ERANGE)
        return;
    fuzzing::Expect(value == expected, "Val(\"" + text + "\") differs from strtod");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckVal(text);
    return 0;
}
