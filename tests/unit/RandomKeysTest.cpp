// Long random key sequences from idle: after every key the window must still
// show sound amounts and keep its invariants.
#include <gtest/gtest.h>

#include <random>

#include "AmountChecks.h"
#include "ProgramFixture.h"

namespace {

const std::vector<std::string> kKeys = {
    "0",          "1",     "2",    "3",         "4",    "5",     "6",       "7",
    "8",          "9",     "Num0", "Num5",      "Num9", "Comma", "Decimal", "Backspace",
    "Escape",     "Enter", "Tab",  "Shift+Tab", "Up",   "Down",  "O",       "Alt+5",
    "Ctrl+Comma", "F4",    "R",    "Z",         "Left"};

class RandomKeys : public testing_support::ProgramFixture,
                   public ::testing::WithParamInterface<unsigned> {
protected:
    void CheckInvariants(const std::string& key) {
        ASSERT_EQ(testing_support::MainWindowProblem(Main(), ","), "") << "after " << key;
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
        EXPECT_EQ(testing_support::ZoneWindowProblem(zone, ","), "") << "after " << key;
    }
};

TEST_P(RandomZoneKeys, KeepTheDisplaysSound) {
    std::mt19937 random(GetParam());
    Start();
    Queue({"Alt+Z"});
    std::vector<std::string> keys = kKeys;
    keys.insert(keys.end(), {"Right", "Right", "Left", "Shift+5", "Alt+F1"});
    Observed beforeEntry;
    bool wasTyping = false;
    for (int step = 0; step < 2000; ++step) {
        const std::string key = keys[random() % keys.size()];
        Then([&, key] {
            wasTyping = program_->ZoneEuro().EntryInProgress();
            if (!wasTyping)
                beforeEntry = Observe();
        });
        Queue({key});
        Then([&, key, step] {
            CheckZone(key);
            if (key == "Escape" && wasTyping) {
                EXPECT_TRUE(Observe() == beforeEntry) << "undo at step " << step;
            }
        });
    }
    Run();
    EXPECT_GE(Platform().HelpRequests().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomZoneKeys, ::testing::Values(1u, 2u));

}  // namespace
