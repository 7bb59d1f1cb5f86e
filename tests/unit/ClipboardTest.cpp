// Which pasted texts read as amounts, and copies that paste back (the keys:
// tests/program/ClipboardKeysTest.cpp).
#include <gtest/gtest.h>

#include <optional>

#include "core/ClipboardAmount.h"

namespace {

TEST(PastedAmount, ReadsNumbersInTheFormatsPeopleCopyAndRefusesTheRest) {
    struct Case {
        const char* pasted;
        std::optional<std::string> typed;  // nothing: refused
        const char* decimalSeparator = ",";
    };
    const std::optional<std::string> kRefused;
    const Case cases[] = {
        // Plain digits, leading zeros dropped as typing drops them.
        {"1234", "1234"},
        {"007", "7"},
        // One decimal mark, either one, with up to two decimals.
        {"12,5", "12,5"},
        {"12.5", "12,5"},
        {"12,", "12,"},
        {".5", "0,5"},
        // The user's separator always marks decimals; the other mark groups
        // when three digits follow it.
        {"12,345", kRefused},
        {"0,005", kRefused},
        {"12,345", "12345", "."},
        {"12.345", kRefused, "."},
        {"15·24", "15,24", "·"},
        {"1 234·5", "1234,5", "·"},
        {"1·234", kRefused, "·"},
        {"1·234.56", kRefused, "·"},  // it never groups
        {"1,234.56", "1234,56", "·"},
        {"12,345", "12345", "·"},
        {"0.011", kRefused},  // neither three decimals nor a group after 0
        {"1,2345", kRefused},
        {"1,234.567", kRefused},  // three decimals after a decimal mark
        // Grouping by blanks of every width, and by the other mark.
        {"2 365 596", "2365596"},
        {"2\u00A0365\u00A0596,5", "2365596,5"},
        {"1\u202F234,56", "1234,56"},
        {"1.234", "1234"},
        {"1.234.567", "1234567"},
        {"1.234,56", "1234,56"},
        {"1,234.56", "1234,56"},
        {"1 234.5", "1234,5"},
        {"12 34", kRefused},
        {"0 123", kRefused},
        {"1.234 567", kRefused},  // two kinds of grouping
        {"1,234,5", kRefused},    // the decimal mark also groups
        {"1  234", kRefused},     // two separators in a row
        {"1..5", kRefused},
        // Blanks around the number, as copied from a line or a table cell.
        {"  42\r\n", "42"},
        {"\t1 234,5\u00A0", "1234,5"},
        // At most 15 digits before the mark.
        {"123456789012345,99", "123456789012345,99"},
        {"000123456789012345", "123456789012345"},
        {"1234567890123456", kRefused},
        {"123.456.789.012.345.678", kRefused},
        // No number.
        {"", kRefused},
        {"   ", kRefused},
        {",", kRefused},
        {"-5", kRefused},
        {"1e5", kRefused},
        {"12 €", kRefused},
        {"douze", kRefused},
        {"1,5,", kRefused},
        {"12,5\n3", kRefused},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::PastedAmount(c.pasted, c.decimalSeparator), c.typed)
            << "pasted \"" << c.pasted << "\" with " << c.decimalSeparator;
    }
}

TEST(CopiedAmount, PastesBackAsTheSameAmountWhateverTheUsersSeparator) {
    for (const char* separator : {",", ".", "·", "٫", "", "5"}) {
        for (const std::string typed : {"12,34", "12,", "0,5", "1234"}) {
            EXPECT_EQ(core::PastedAmount(core::CopiedAmount(typed, separator), separator), typed)
                << typed << " copied with \"" << separator << "\"";
        }
    }
}

}  // namespace
