// "0.00" on amounts of every size against an exact decimal reference: the
// value rounded to the nearest cent, halves away from zero, where only the
// halfway test looks at the value taken to 15 significant digits. What the
// windows show at the legal rates: ConverterWindowTest.cpp, ZoneEuroTest.cpp.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "DecimalReference.h"
#include "core/Conversion.h"
#include "core/CurrencyTable.h"
#include "core/NumberText.h"

namespace {

// What "0.00" must show, with a comma.
std::string Reference(double value) {
    return testing_support::ReferenceFixed2(value);
}

TEST(FormatFixed2, KeepsTheCentsOfAmountsOfEveryMagnitude) {
    // Halves, and the cases the rounding of the 15-digit value used to get
    // wrong. 500 x 6.55957 is stored just below 3279.785.
    EXPECT_EQ(core::FormatFixed2(500 * core::FrancsPerEuro, ","), "3279,79");
    EXPECT_EQ(core::FormatFixed2(2.675, ","), "2,68");  // 2.67499999... in binary
    EXPECT_EQ(core::FormatFixed2(123456789012345 / core::FrancsPerEuro, ","), "18820866156218,32");
    EXPECT_EQ(core::FormatFixed2(999999999999999 * core::FrancsPerEuro, ","),
              "6559569999999993,00");
    EXPECT_EQ(core::FormatFixed2(1234601449174.125, ","), "1234601449174,13");
    EXPECT_EQ(core::FormatFixed2(-1234601449174.125, ","), "-1234601449174,13");
    EXPECT_EQ(core::FormatFixed2(std::ldexp(1.0, 70), ","), "1180591620717411303424,00");

    std::mt19937_64 random(20020217);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int power = -4; power <= 24; ++power) {
        for (int i = 0; i < 200; ++i) {
            double value = mantissa(random) * std::pow(10.0, power);
            ASSERT_EQ(core::FormatFixed2(value, ","), Reference(value)) << value;
            ASSERT_EQ(core::FormatFixed2(-value, ","), Reference(-value)) << -value;
        }
    }
}

TEST(FormatFixed2, RoundsTheProductsOfCentsAndRatesLikeTheReference) {
    // Amounts in cents times or divided by a rate: many products lie halfway
    // in decimal, where the 15-digit value decides.
    std::mt19937_64 random(19990101);
    for (int digits = 1; digits <= 17; ++digits) {
        std::uniform_int_distribution<std::int64_t> cents(
            0, static_cast<std::int64_t>(std::pow(10.0, digits)));
        for (int i = 0; i < 40; ++i) {
            double amount = static_cast<double>(cents(random)) / 100;
            for (double rate : core::CurrencyRates) {
                ASSERT_EQ(core::FormatFixed2(amount * rate, ","), Reference(amount * rate))
                    << amount << " x " << rate;
                ASSERT_EQ(core::FormatFixed2(amount / rate, ","), Reference(amount / rate))
                    << amount << " / " << rate;
            }
        }
    }
}

}  // namespace
