// Long random key sequences from idle: after every key the window must still
// show sound amounts and keep its invariants.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "ProgramFixture.h"

namespace {

const std::vector<std::string> kKeys = {
    "0",          "1",     "2",    "3",         "4",    "5",      "6",       "7",
    "8",          "9",     "Num0", "Num5",      "Num9", "Comma",  "Decimal", "Backspace",
    "Escape",     "Enter", "Tab",  "Shift+Tab", "Up",   "Down",   "O",       "Alt+5",
    "Ctrl+Comma", "F4",    "R",    "Z",         "Left", "Ctrl+C", "Ctrl+V",  "Shift+Insert"};

// A paste that is not refused starts a new entry, also over one in progress.
bool PasteTook(const std::string& key, int beepsBefore, int beepsAfter) {
    return (key == "Ctrl+V" || key == "Shift+Insert") && beepsAfter == beepsBefore;
}

// A typed amount: no leading zero, at most one comma, at most two decimals,
// at most 15 digits before the comma.
const std::regex kTyped("(0|[1-9][0-9]{0,14})(,[0-9]{0,2})?");
// A converted amount written with "0.00".
const std::regex kConverted("-?(0|[1-9][0-9]*),[0-9]{2}");

std::string SeedName(const ::testing::TestParamInfo<unsigned>& info) {
    return "Seed_" + std::to_string(info.param);
}

class RandomKeys : public testing_support::ProgramFixture,
                   public ::testing::WithParamInterface<unsigned> {
protected:
    void CheckInvariants(const std::string& key) {
        for (int i = 0; i < converter::frmConvalis::kFields; ++i) {
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
        const std::vector<std::string> beforeKey = Displays();
        const int beeps = Platform().Beeps();
        if (!wasTyping)
            beforeEntry = beforeKey;
        Press({key});
        if (PasteTook(key, beeps, Platform().Beeps()))
            beforeEntry = beforeKey;
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

INSTANTIATE_TEST_SUITE_P(Seeds, RandomKeys, ::testing::Values(1u, 2u, 3u, 4u), SeedName);

// The same on the euro-zone window, whose checks run inside its modal loop.
class RandomZoneKeys : public RandomKeys {
protected:
    struct Observed {
        std::vector<std::string> displays;
        int currency = 0;
        bool operator==(const Observed& other) const {
            return displays == other.displays && currency == other.currency;
        }
    };
    Observed Observe() {
        zone::frmZoneEuro& zone = program_->ZoneEuro();
        return {{zone.DisplayText(0), zone.DisplayText(1), zone.DisplayText(2)},
                zone.CurrencyIndex()};
    }
    void CheckZone(const std::string& key) {
        zone::frmZoneEuro& zone = program_->ZoneEuro();
        ASSERT_TRUE(zone.Loaded()) << "after " << key;
        EXPECT_EQ(zone.DisplayText(0), core::CurrencyNames.at(zone.CurrencyIndex()));
        for (int i = 1; i < 3; ++i) {
            const std::string& text = zone.DisplayText(i);
            EXPECT_TRUE(std::regex_match(text, kTyped) || std::regex_match(text, kConverted))
                << "display " << i << " reads " << text << " after " << key;
        }
        if (zone.EntryInProgress()) {
            EXPECT_NE(zone.ActiveField(), 0) << "after " << key;
        }
    }
};

TEST_P(RandomZoneKeys, KeepTheDisplaysSound) {
    std::mt19937 random(GetParam());
    Start();
    Queue({"Alt+Z"});
    std::vector<std::string> keys = kKeys;
    keys.insert(keys.end(), {"Right", "Right", "Left", "Shift+5", "Alt+F1"});
    Observed beforeEntry;
    Observed beforeKey;
    bool wasTyping = false;
    int beeps = 0;
    for (int step = 0; step < 2000; ++step) {
        const std::string key = keys[random() % keys.size()];
        Then([&, key] {
            wasTyping = program_->ZoneEuro().EntryInProgress();
            beforeKey = Observe();
            beeps = Platform().Beeps();
            if (!wasTyping)
                beforeEntry = beforeKey;
        });
        Queue({key});
        Then([&, key, step] {
            if (PasteTook(key, beeps, Platform().Beeps()))
                beforeEntry = beforeKey;
            CheckZone(key);
            if (key == "Escape" && wasTyping) {
                EXPECT_TRUE(Observe() == beforeEntry) << "undo at step " << step;
            }
        });
    }
    Run();
    EXPECT_GE(Platform().HelpRequests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomZoneKeys, ::testing::Values(1u, 2u), SeedName);

}  // namespace
