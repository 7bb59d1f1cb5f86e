// Reading and writing amounts: Val, the "0.00" pattern, the user's format.
// How "0.00" rounds: RoundingTest.cpp.
#include <gtest/gtest.h>

#include "core/Conversion.h"
#include "core/NumberText.h"
#include "core/Text.h"

namespace {

using core::FormatFixed2;
using core::Val;

TEST(Val, ReadsTheNumberAtTheStartOfATextWithAPointOrGivesZero) {
    // Blanks are skipped, the number stops where it cannot go on (a comma
    // ends it), and no number reads as zero.
    const std::pair<const char*, double> cases[] = {
        {"15.24", 15.24}, {"12.", 12.0}, {".5", 0.5},        {"7abc", 7.0},    {"-3.20", -3.2},
        {"1e3", 1000.0},  {"2E", 2.0},   {"  1 2 3", 123.0}, {"12.5.3", 12.5}, {"12,5", 12.0},
        {"", 0.0},        {" ", 0.0},    {"abc", 0.0},       {".", 0.0},       {"-", 0.0},
        {",5", 0.0},      {"e5", 0.0}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(Val(text), value) << text;
}

TEST(TextToDouble, ReadsTheUsersFormat) {
    EXPECT_DOUBLE_EQ(core::TextToDouble("30,49", ","), 30.49);
    EXPECT_DOUBLE_EQ(core::TextToDouble("30.49", "."), 30.49);
    EXPECT_DOUBLE_EQ(core::TextToDouble("-4,76", ","), -4.76);
}

TEST(CommaToPoint, ReplacesOnlyTheFirstComma) {
    EXPECT_EQ(core::CommaToPoint("12"), "12");
    EXPECT_EQ(core::CommaToPoint("12,5"), "12.5");
    EXPECT_EQ(core::CommaToPoint("1,2,3"), "1.2,3");
    EXPECT_EQ(core::CommaToPoint(""), "");
}

TEST(AmountValue, ReadsEveryFormOfAmountText) {
    for (const std::string separator : {",", ".", "\xC2\xB7"}) {
        // Typed amounts have a comma whatever the user's format.
        EXPECT_DOUBLE_EQ(core::AmountValue("12,", separator), 12.0);
        EXPECT_DOUBLE_EQ(core::AmountValue("0,", separator), 0.0);
        EXPECT_DOUBLE_EQ(core::AmountValue("15,2", separator), 15.2);
        // Converted ones the user's separator.
        EXPECT_DOUBLE_EQ(core::AmountValue("15" + separator + "24", separator), 15.24);
        EXPECT_DOUBLE_EQ(core::AmountValue("-4" + separator + "76", separator), -4.76);
    }
}

}  // namespace
