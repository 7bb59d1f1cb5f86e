// Converted amounts of every size against an exact decimal reference: the
// value rounded to the nearest cent, halves away from zero, where only the
// halfway test looks at the value taken to 15 significant digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "DecimalReference.h"
#include "ProgramFixture.h"
#include "core/Conversion.h"
#include "core/CurrencyTable.h"
#include "core/NumberText.h"
#include "core/Text.h"

namespace {

// What "0.00" must show, with a comma.
std::string Reference(double value) {
    return testing_support::ReferenceFixed2(value);
}

TEST(ExactReference, ExpandsDoublesDigitForDigit) {
    EXPECT_EQ(Reference(0.125), "0,13");
    EXPECT_EQ(Reference(500 * 6.55957), "3279,79");
    EXPECT_EQ(Reference(2.675), "2,68");
    EXPECT_EQ(Reference(1e17), "100000000000000000,00");
    EXPECT_EQ(Reference(0.0), "0,00");
    EXPECT_EQ(Reference(-0.004), "0,00");
    EXPECT_EQ(Reference(5e-324), "0,00");
    testing_support::Decimal tenth = testing_support::ExactDecimal(0.1);
    EXPECT_EQ(tenth.digits, "01000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(tenth.scale, 55);
}

TEST(FormatFixed2, KeepsTheCentsOfAmountsOfEveryMagnitude) {
    // The cases the rounding of the 15-digit value used to get wrong.
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

// Typed amounts from a few francs to the 15 digits a display takes.
const std::vector<std::string> kTypedAmounts = {"7",
                                                "12,5",
                                                "500",
                                                "1500",
                                                "65432,1",
                                                "1234567,89",
                                                "123456789012",
                                                "1234567890123,4",
                                                "12345678901234",
                                                "123456789012345",
                                                "999999999999999",
                                                "987654321098765"};

double TypedValue(const std::string& typed) {
    return std::stod(core::CommaToPoint(typed));
}

class LargeAmounts : public testing_support::ProgramFixture {};

TEST_F(LargeAmounts, TheMainWindowShowsTheCentsOfTheComputedValue) {
    Start();
    for (const std::string& typed : kTypedAmounts) {
        Type(typed);
        Press({"Enter"});
        EXPECT_EQ(Main().DisplayText(2), Reference(TypedValue(typed) / core::FrancsPerEuro))
            << typed << " francs";
        Press({"Tab"});
        Type(typed);
        Press({"Enter"});
        EXPECT_EQ(Main().DisplayText(0), Reference(TypedValue(typed) * core::FrancsPerEuro))
            << typed << " euros";
        Press({"Tab"});
    }
}

TEST_F(LargeAmounts, TheEuroZoneWindowShowsTheCentsOfTheComputedValue) {
    Start();
    Queue({"Alt+Z"});
    // From the French franc's row to the lira's, the drachma's, the punt's.
    const std::vector<std::pair<int, std::vector<std::string>>> rows = {
        {6, {"Right", "Right"}},
        {0, {"Right", "Right", "Right", "Right", "Right", "Right"}},
        {10, {"Left", "Left"}}};
    for (const auto& [row, moves] : rows) {
        Queue(moves);
        const double rate = core::CurrencyRates.at(row);
        for (const std::string& typed : kTypedAmounts) {
            // Up from the currency name to the euros, then to the amount in
            // the currency, then back to the name.
            Queue({"Up"});
            QueueTyping(typed);
            Queue({"Enter"});
            Then([this, typed, rate] {
                ASSERT_TRUE(program_->ZoneEuro().Loaded());
                EXPECT_EQ(program_->ZoneEuro().DisplayText(1), Reference(TypedValue(typed) * rate))
                    << typed << " euros at " << rate;
            });
            Queue({"Up"});
            QueueTyping(typed);
            Queue({"Enter"});
            Then([this, typed, rate] {
                ASSERT_TRUE(program_->ZoneEuro().Loaded());
                EXPECT_EQ(program_->ZoneEuro().DisplayText(2), Reference(TypedValue(typed) / rate))
                    << typed << " at " << rate;
            });
            Queue({"Up"});
        }
    }
    Queue({"Alt+F4"});
    Run();
}

}  // namespace
