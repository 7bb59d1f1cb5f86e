// Converted amounts of every size against an exact decimal reference: the
// value rounded to the nearest cent, halves away from zero, where only the
// halfway test looks at the value taken to 15 significant digits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "ProgramFixture.h"
#include "core/Conversion.h"
#include "core/CurrencyTable.h"
#include "core/NumberText.h"
#include "core/Text.h"

namespace {

// A non-negative decimal number: its digits, the last `scale` of which
// follow the point.
struct Decimal {
    std::string digits;
    int scale = 0;
};

void MultiplyBy(std::string& digits, int factor) {
    int carry = 0;
    for (std::size_t i = digits.size(); i-- > 0;) {
        int product = (digits[i] - '0') * factor + carry;
        digits[i] = static_cast<char>('0' + product % 10);
        carry = product / 10;
    }
    for (; carry > 0; carry /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
}

// Adds one unit of the last digit.
void Increment(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[i - 1];
}

// Writes the number with one digit before the point at least, and no
// trailing zero after it.
Decimal Normalised(Decimal number) {
    while (number.scale > 0 && number.digits.back() == '0') {
        number.digits.pop_back();
        --number.scale;
    }
    while (static_cast<int>(number.digits.size()) <= number.scale)
        number.digits.insert(number.digits.begin(), '0');
    return number;
}

// The exact value of a finite double: m x 2^e with an integer m is m x 2^e
// for e >= 0 and m x 5^-e / 10^-e otherwise.
Decimal Expand(double magnitude) {
    int exponent = 0;
    double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    Decimal exact{std::to_string(mantissa), 0};
    for (int power = exponent - 53; power > 0; --power)
        MultiplyBy(exact.digits, 2);
    for (int power = exponent - 53; power < 0; ++power) {
        MultiplyBy(exact.digits, 5);
        ++exact.scale;
    }
    return Normalised(exact);
}

// Keeps the first `count` digits, rounding half up on the rest.
Decimal KeepDigits(Decimal number, std::size_t count) {
    if (number.digits.size() <= count)
        return Normalised(number);
    bool up = number.digits[count] >= '5';
    int dropped = static_cast<int>(number.digits.size() - count);
    number.digits.resize(count);
    if (up)
        Increment(number.digits);
    number.scale -= dropped;
    for (; number.scale < 0; ++number.scale)
        number.digits += '0';
    return Normalised(number);
}

Decimal Significant15(Decimal number) {
    std::size_t leadingZeros = number.digits.find_first_not_of('0');
    if (leadingZeros == std::string::npos)
        return number;
    number.digits.erase(0, leadingZeros);
    return KeepDigits(number, 15);
}

bool HalfwayBetweenCents(const Decimal& number) {
    if (number.scale < 3)
        return false;
    std::string rest = number.digits.substr(number.digits.size() - (number.scale - 2));
    return rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
}

// What "0.00" must show for `value`, with a comma.
std::string Reference(double value) {
    Decimal exact = Expand(std::fabs(value));
    Decimal taken15 = Significant15(exact);
    Decimal number = HalfwayBetweenCents(taken15) ? taken15 : exact;
    Decimal cents =
        number.scale > 2 ? KeepDigits(number, number.digits.size() - number.scale + 2) : number;
    for (; cents.scale < 2; ++cents.scale)
        cents.digits += '0';
    while (cents.digits.size() < 3)
        cents.digits.insert(cents.digits.begin(), '0');
    std::size_t point = cents.digits.size() - 2;
    std::string integer = cents.digits.substr(0, point);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));
    bool zero = cents.digits.find_first_not_of('0') == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + integer + "," + cents.digits.substr(point);
}

TEST(ExactReference, ExpandsDoublesDigitForDigit) {
    EXPECT_EQ(Reference(0.125), "0,13");
    EXPECT_EQ(Reference(500 * 6.55957), "3279,79");
    EXPECT_EQ(Reference(2.675), "2,68");
    EXPECT_EQ(Reference(1e17), "100000000000000000,00");
    Decimal tenth = Expand(0.1);
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
