// Long random key sequences from idle: after every key the window must still
// show sound amounts and keep its invariants.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "ProgramFixture.h"

namespace {

const std::vector<std::string> kKeys = {
    "0",          "1",     "2",    "3",         "4",    "5",     "6",       "7",
    "8",          "9",     "Num0", "Num5",      "Num9", "Comma", "Decimal", "Backspace",
    "Escape",     "Enter", "Tab",  "Shift+Tab", "Up",   "Down",  "O",       "Alt+5",
    "Ctrl+Comma", "F4",    "R",    "Z",         "Left"};

// A typed amount: no leading zero, at most one comma, at most two decimals,
// at most 15 digits before the comma.
const std::regex kTyped("(0|[1-9][0-9]{0,14})(,[0-9]{0,2})?");
// A converted amount written with "0.00".
const std::regex kConverted("-?(0|[1-9][0-9]*),[0-9]{2}");

class RandomKeys : public testing_support::ProgramFixture,
                   public ::testing::WithParamInterface<unsigned> {
  protected:
    void CheckInvariants(const std::string& key) {
        for (int i = 0; i < app::frmConvalis::kFields; ++i) {
            const std::string& text = Main().DisplayText(i);
            ASSERT_FALSE(text.empty()) << "after " << key;
            ASSERT_TRUE(std::regex_match(text, kTyped) || std::regex_match(text, kConverted))
                << "display " << i << " reads " << text << " after " << key;
        }
        ASSERT_NE(Main().ActiveField(), 3) << "after " << key;
        if (Main().EntryInProgress()) {
            ASSERT_TRUE(std::regex_match(Main().DisplayText(Main().ActiveField()), kTyped))
                << "after " << key;
        }
        if (!Main().ChangeRowShown()) {
            ASSERT_NE(Main().ActiveField(), 1);
        }
    }
};

TEST_P(RandomKeys, KeepTheDisplaysSound) {
    std::mt19937 random(GetParam());
    Start(GetParam() % 2 ? testing_support::kBeforeChangeover : testing_support::kAfterChangeover);
    std::vector<std::string> beforeEntry = Displays();
    for (int step = 0; step < 3000; ++step) {
        const std::string& key = kKeys[random() % kKeys.size()];
        bool wasTyping = Main().EntryInProgress();
        if (!wasTyping)
            beforeEntry = Displays();
        Press({key});
        if (key == "Escape") {
            // Undo restores the texts of before the last entry.
            if (wasTyping) {
                ASSERT_EQ(Displays(), beforeEntry) << "step " << step;
            }
            ASSERT_FALSE(Main().EntryInProgress());
        }
        CheckInvariants(key);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomKeys, ::testing::Values(1u, 2u, 3u, 4u));

}  // namespace
