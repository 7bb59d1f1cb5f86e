// The main window driven through its keys and buttons: navigation, entry
// rules, conversions, undo, commands; and what it shares with the euro-zone
// window through their common form.
#include "ProgramTest.h"

namespace program_tests {
namespace {

using Texts = std::vector<std::string>;

class MainWindow : public ProgramTest {
protected:
    void ExpectActive(int field) {
        ExpectActiveField(Main(), converter::frmConvalis::kFields, field);
    }
};

TEST_F(MainWindow, LoadsShownAtZeroWithTheChangeRowOfItsDateUntilHidden) {
    // The row: the payment's caption, display and the line under it, the
    // change's caption and display.
    const auto rowShown = [&](bool shown) {
        EXPECT_EQ(Main().ChangeRowShown(), shown);
        EXPECT_EQ(System().LineShown(Main().Window(), 1), shown);
        for (int field : {1, 3}) {
            EXPECT_EQ(Main().Display(field).Visible(), shown) << field;
            EXPECT_EQ(Main().Caption(field).Visible(), shown) << field;
        }
        EXPECT_TRUE(System().LineShown(Main().Window(), 0));
        EXPECT_TRUE(Main().Display(2).Visible());
    };
    Start(kBeforeChangeover);
    rowShown(true);
    EXPECT_TRUE(Main().Window().Visible());
    EXPECT_EQ(Main().Window().Caption(), "Convalis");
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    ExpectActive(0);
    EXPECT_FALSE(Main().EntryInProgress());
    // Hidden while the payment is typed: the focus moves off it, the entry
    // and the texts stay; the euro price keeps the focus.
    Press({"Tab", "5"});
    Main().ShowChangeRow(false);
    rowShown(false);
    ExpectActive(0);
    EXPECT_TRUE(Main().EntryInProgress());
    EXPECT_EQ(Main().DisplayText(1), "5");
    Press({"Tab"});
    Main().ShowChangeRow(true);
    Main().ShowChangeRow(false);
    ExpectActive(2);
    Start(kAfterChangeover);
    rowShown(false);
}

TEST_F(MainWindow, NavigationVisitsThePricesAndThePaymentButNeverTheChange) {
    Start(kAfterChangeover);
    for (const char* key : {"Tab", "Shift+Tab", "Up", "Down"}) {
        Press({key});
        ExpectActive(2);
        Press({key});
        ExpectActive(0);
    }
    Start(kBeforeChangeover);
    const std::pair<const char*, int> steps[] = {
        {"Tab", 1},       {"Tab", 2},       {"Tab", 0},  {"Shift+Tab", 2},
        {"Shift+Tab", 1}, {"Shift+Tab", 0}, {"Down", 1}, {"Up", 0}};
    for (const auto& [key, expected] : steps) {
        Press({key});
        ExpectActive(expected);
    }
}

TEST_F(MainWindow, AStartedEntryClearsTheDisplaysItMakesOutOfDate) {
    Start(kBeforeChangeover);
    Type("12,5");
    Press({"Tab", "Tab"});
    Type("1,91");
    Press({"Enter", "Tab"});
    ASSERT_EQ(Displays(), (Texts{"12,53", "0", "1,91", "0"}));
    Type("5");
    EXPECT_EQ(Displays(), (Texts{"5", "0", "0", "0"}));
    Press({"Enter", "Tab"});
    Type("2");
    // The amount paid leaves the prices and the old change alone.
    EXPECT_EQ(Displays(), (Texts{"5", "2", "0,76", "0"}));
    Press({"Enter"});
    ASSERT_EQ(Main().DisplayText(3), "-0,46");
    // A new price in francs: the payment was for the old one.
    Press({"Shift+Tab"});
    Type("7");
    EXPECT_EQ(Displays(), (Texts{"7", "0", "0", "0"}));
}

// Each entry from a fresh "0", the keys pressed one after the other.
TEST_F(MainWindow, TypingFollowsTheAmountRules) {
    const struct {
        std::vector<std::string> keys;
        const char* shown;
    } entries[] = {
        {{"0", "0", "7"}, "7"},
        {{"Comma", "5", "0", "1"}, "0,50"},           // the third decimal is refused
        {{"1", "2", "Comma", "5", "Comma"}, "12,5"},  // so is a second comma
        {{"1", "2", "Decimal", "Num7"}, "12,7"},
        // Digits and the comma type with Shift, Ctrl or Alt held.
        {{"Shift+1", "Ctrl+2", "Alt+3", "Alt+Comma", "5"}, "123,5"},
        // Backspace erases only while typing; what it leaves is replaced.
        {{"Backspace"}, "0"},
        {{"7", "Backspace", "8"}, "8"},
        {{"1", "2", "Comma", "Backspace", "Comma", "3"}, "12,3"},
        {{"Comma", "Backspace"}, "0"},
    };
    Start();
    for (const auto& entry : entries) {
        Press(entry.keys);
        EXPECT_EQ(Main().DisplayText(0), entry.shown) << entry.keys.front() << "...";
        Press({"Escape"});
    }
    Press({"Comma", "Backspace"});
    EXPECT_TRUE(Main().EntryInProgress()) << "erasing the comma ended the entry";
    Press({"Enter", "Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "0");
    // At most fifteen digits before the comma.
    Type("1234567890123456,99");
    EXPECT_EQ(Main().DisplayText(0), "123456789012345,99");
    Press({"Enter"});
    EXPECT_EQ(Main().DisplayText(2), "18820866156218,47");
}

TEST_F(MainWindow, EscapeTakesBackTheLastEntryWithItsResults) {
    Start();
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    Type("100");
    Press({"Enter"});
    Type("200");
    Press({"Enter"});
    ASSERT_EQ(Displays(), (Texts{"200", "0", "30,49", "0"}));
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));
    ExpectActive(0);
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));
    // While typing, Escape cancels the entry.
    Type("9");
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));
    EXPECT_FALSE(Main().EntryInProgress());
}

// At the legal rate, 6,55957 francs to the euro, to the cent (amounts of
// every size: RoundingTest.cpp).
TEST_F(MainWindow, ConvertsEitherPriceIntoTheOther) {
    const struct {
        int field;
        const char* typed;
        const char* expected;  // in the other price display
    } conversions[] = {{0, "100", "15,24"}, {0, "12,5", "1,91"},         {0, "0,", "0,00"},
                       {0, "12,", "1,83"},  {0, "1000000", "152449,02"}, {2, "10", "65,60"},
                       {2, "0,01", "0,07"}, {2, "1000000", "6559570,00"}};
    Start();
    for (const auto& c : conversions) {
        if (c.field != Main().ActiveField())
            Press({"Tab"});
        Type(c.typed);
        Press({"Enter"});
        EXPECT_EQ(Main().DisplayText(2 - c.field), c.expected) << c.typed;
        // The driving display keeps the text as typed.
        EXPECT_EQ(Main().DisplayText(c.field), c.typed);
        EXPECT_FALSE(Main().EntryInProgress());
    }
}

TEST_F(MainWindow, ChangeIsThePaymentInEurosLessTheDisplayedPrice) {
    Start(kBeforeChangeover);
    Type("100");
    Press({"Tab"});
    Type("200");
    Press({"Enter"});
    EXPECT_EQ(Displays(), (Texts{"100", "200", "15,24", "15,25"}));

    // A price typed in euros, with no francs price: a payment short of it.
    Press({"Tab"});
    Type("20");
    Press({"Enter", "Tab", "Tab"});
    Type("100");
    Press({"Enter"});
    EXPECT_EQ(Displays(), (Texts{"131,19", "100", "20", "-4,76"}));
}

TEST_F(MainWindow, DisplaysFollowTheUsersDecimalSeparator) {
    for (const std::string separator : {".", "\xC2\xB7", "'"}) {  // point, middle dot, quote
        Start(kBeforeChangeover);
        Platform().SetDecimalSeparator(separator);
        Type("100");
        Press({"Tab"});
        EXPECT_EQ(Main().DisplayText(2), "15" + separator + "24");
        // The change reads the converted price through the same separator.
        Type("200");
        Press({"Enter"});
        EXPECT_EQ(Main().DisplayText(3), "15" + separator + "25");
        // The euro-zone window reads its converted euros for a new currency
        // through the same separator.
        Queue({"Alt+Z", "Tab", "1", "0", "0", "Enter", "Tab", "Tab", "Right"});
        Then([&] {
            EXPECT_EQ(
                Displays(program_->ZoneEuro(), zone::frmZoneEuro::kFields),
                (Texts{"Franc luxembourg.", "614" + separator + "78", "15" + separator + "24"}));
        });
        Run();
    }
}

TEST_F(MainWindow, OConvertsAnEntryAndOpensNothingWithoutAlt) {
    Start();
    Press({"O"});
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    Type("100");
    Press({"O"});
    EXPECT_EQ(Main().DisplayText(2), "15,24");
    EXPECT_FALSE(Main().EntryInProgress());
    EXPECT_FALSE(AnyOtherWindowLoaded());
    Type("5");
    Press({"Alt+O"});
    EXPECT_FALSE(Main().EntryInProgress());
    EXPECT_EQ(Main().DisplayText(2), "0,76");
}

// Help and closing are the common form's: one help request per key or
// button, from either converter window, for that window. None of it, nor
// the about box, ends the entry in progress.
TEST_F(MainWindow, HelpAboutAndTheEuroZoneOpenOncePerRequestAndLeaveTheEntryInProgress) {
    Start();
    Type("12");
    Press({"F4", "R", "Z"});  // without Alt: nothing
    platform::WindowHandle zone = 0;
    Queue({"F1"});
    QueueClick("Aide sur Convalis  F1");
    Queue({"Shift+F1", "Alt+F1", "Alt+Z", "5", "F1"});  // typed into the euro-zone window
    QueueClick("Aide sur Convalis  F1");
    Queue({"F4"});
    Then([&] {
        ASSERT_TRUE(program_->ZoneEuro().Loaded()) << "F4 without Alt closed it";
        zone = program_->ZoneEuro().Window().Handle();
    });
    Queue({"Alt+F4"});
    QueueClick("A propos de...");
    Queue({"Escape"});  // closes the about box
    Run();
    EXPECT_TRUE(Main().Window().Visible());
    EXPECT_FALSE(AnyOtherWindowLoaded());
    const auto& requests = Platform().HelpRequests();
    ASSERT_EQ(requests.size(), 6u);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].file, Platform().App().HelpFile()) << i;
        EXPECT_EQ(requests[i].owner, i < 4 ? Main().Window().Handle() : zone) << i;
    }
    EXPECT_TRUE(Main().EntryInProgress());
    Type("3");
    EXPECT_EQ(Main().DisplayText(0), "123");
    EXPECT_EQ(Main().DisplayText(2), "0");
    Click("Fermer Alt+F4");
    EXPECT_FALSE(Main().Loaded()) << "the close button left the main window";
}

}  // namespace
}  // namespace program_tests
