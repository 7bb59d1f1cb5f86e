// Any finite double written with "0.00": the text is the exact decimal
// reference's, in either separator, and reads back as the cents it shows.
// Half the inputs are amounts in cents converted by a rate of the currency
// table, where products lie exactly halfway in decimal.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DecimalReference.h"
#include "FuzzInput.h"
#include "core/CurrencyTable.h"
#include "core/NumberText.h"

namespace {

double RawDouble(fuzzing::FuzzInput& in) {
    const std::uint64_t bits = in.Qword();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Cents of up to 17 digits, times or divided by a rate.
double ConvertedAmount(fuzzing::FuzzInput& in) {
    const std::uint64_t cents = in.Qword() % 100'000'000'000'000'000ull;
    const double amount = static_cast<double>(cents) / 100;
    const double rate = core::CurrencyRates.at(in.Byte() % core::CurrencyRates.size());
    const double value = in.Byte() % 2 ? amount * rate : amount / rate;
    return in.Byte() % 2 ? -value : value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::FuzzInput in(data, size);
    const std::uint8_t mode = in.Byte();
    const double value = mode % 2 ? ConvertedAmount(in) : RawDouble(in);
    if (!std::isfinite(value))
        return 0;
    const std::string separator = mode & 2 ? "." : ",";
    const std::string text = core::FormatFixed2(value, separator);
    const std::string expected = testing_support::ReferenceFixed2(value, separator);
    fuzzing::Expect(text == expected, "FormatFixed2 wrote " + text + ", not " + expected);
    // Read back in the user's format, the text gives the double nearest its
    // decimal value.
    std::string pointed = expected;
    pointed.replace(pointed.size() - 3, 1, ".");
    fuzzing::Expect(core::TextToDouble(text, separator) == std::strtod(pointed.c_str(), nullptr),
                    text + " reads back otherwise");
    return 0;
}
