// The euro-zone window, opened modal from the main window and driven
// through its keys; checks run inside its modal loop.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace {

using Texts = std::vector<std::string>;

const platform::OleColor kHighlight = platform::SystemColor(platform::syscolor::kHighlight);
const platform::OleColor kWindowText = platform::SystemColor(platform::syscolor::kWindowText);

class ZoneEuro : public testing_support::ProgramFixture {
protected:
    void SetUp() override {
        Start();
        Queue({"Alt+Z"});
    }

    zone::frmZoneEuro& Zone() { return program_->ZoneEuro(); }
    Texts Displays() {
        return {Zone().DisplayText(0), Zone().DisplayText(1), Zone().DisplayText(2)};
    }
    // Moves the currency row from the French franc's (4) by `steps` rows,
    // with field 0 active.
    void ChooseRow(int row) {
        for (int i = 4; i < row; ++i)
            Queue({"Right"});
        for (int i = 4; i > row; --i)
            Queue({"Left"});
    }
    void ExpectActive(int field) {
        EXPECT_EQ(Zone().ActiveField(), field);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Zone().Display(i).ForeColor(), i == field ? kHighlight : kWindowText) << i;
        }
        EXPECT_EQ(Zone().Caption(0).ForeColor(), field == 2 ? kWindowText : kHighlight);
        EXPECT_EQ(Zone().Caption(2).ForeColor(), field == 2 ? kHighlight : kWindowText);
        platform::Bounds display = Zone().Display(field).Placement();
        platform::Bounds marker = Zone().FocusMarker().Placement();
        EXPECT_EQ(marker.left, display.left + display.width + 70);
        EXPECT_EQ(marker.top, display.top);
    }
};

TEST_F(ZoneEuro, OpensModalOverTheMainWindowWithTheFrenchFranc) {
    Then([&] {
        ASSERT_TRUE(Zone().Loaded());
        const offscreen::OffscreenWindow* window = Platform().FindWindow("frmZoneEuro");
        ASSERT_EQ(Platform().ActiveWindow(), window);
        EXPECT_FALSE(Platform().FindWindow("frmConvalis")->Enabled());
        EXPECT_EQ(window->Caption(), "Convalis");
        EXPECT_EQ(window->Placement().width, 2985);
        EXPECT_EQ(window->Placement().left, Main().Window().Placement().left);
        EXPECT_EQ(window->Placement().top, Main().Window().Placement().top);
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 4);
        EXPECT_FALSE(Zone().EntryInProgress());
        ExpectActive(0);
    });
    Run();
}

// A row's rate both ways (amounts of every size: RoundingTest.cpp).
TEST_F(ZoneEuro, ConvertsAtTheRowsFixedRate) {
    const struct {
        int row;
        int field;  // 1: typed in the currency, 2: typed in euros
        const char* typed;
        const char* key;  // ends the entry
        const char* currencyAmount;
        const char* euroAmount;
    } cases[] = {{6, 1, "1000", "Enter", "1000", "0,52"},  // lire
                 {9, 2, "1", "Enter", "166,39", "1"},      // pesetas
                 {10, 2, "1", "Enter", "0,79", "1"},       // punts
                 {0, 2, "1", "Enter", "340,75", "1"},      // drachmas
                 {7, 1, "12,", "Tab", "12,", "6,14"}};     // marks
    for (const auto& c : cases) {
        Start();
        Queue({"Alt+Z"});
        ChooseRow(c.row);
        Queue({c.field == 1 ? "Tab" : "Up"});
        QueueTyping(c.typed);
        Queue({c.key});
        Then([&] {
            EXPECT_EQ(Zone().CurrencyIndex(), c.row);
            EXPECT_EQ(Zone().DisplayText(1), c.currencyAmount) << c.typed;
            EXPECT_EQ(Zone().DisplayText(2), c.euroAmount) << c.typed;
            EXPECT_FALSE(Zone().EntryInProgress());
        });
        Run();
    }
}

TEST_F(ZoneEuro, ChangingTheCurrencyConvertsTheEuroAmountAnew) {
    Queue({"Up", "1", "0", "Enter", "Tab", "Right"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc luxembourg.", "403,40", "10"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 5);
    });
    Run();
}

TEST_F(ZoneEuro, ANewCurrencyReadsTheConvertedEurosThroughTheUsersSeparator) {
    for (const std::string separator : {",", ".", "\xC2\xB7"}) {  // comma, point, middle dot
        Start();
        Platform().SetDecimalSeparator(separator);
        Queue({"Alt+Z", "Tab", "1", "0", "0", "Enter", "Tab", "Tab", "Right"});
        Then([&] {
            EXPECT_EQ(Displays(), (Texts{"Franc luxembourg.", "614" + separator + "78",
                                         "15" + separator + "24"}));
        });
        Run();
    }
}

TEST_F(ZoneEuro, RightAtOpeningShowsZeroInTheNewCurrency) {
    Queue({"Right"});
    Then([&] { EXPECT_EQ(Displays(), (Texts{"Franc luxembourg.", "0,00", "0"})); });
    Run();
}

TEST_F(ZoneEuro, ArrowsWrapRoundTheTableOnlyOnTheCurrencyName) {
    ChooseRow(0);
    Queue({"Left"});
    Then([&] { EXPECT_EQ(Zone().DisplayText(0), "Shilling autrichien"); });
    Queue({"Right"});
    Then([&] { EXPECT_EQ(Zone().DisplayText(0), "Drachme grecque"); });
    Queue({"Tab", "Right", "Left", "Tab", "Left"});
    Then([&] {
        EXPECT_EQ(Zone().CurrencyIndex(), 0);
        EXPECT_EQ(Zone().DisplayText(0), "Drachme grecque");
    });
    Run();
}

TEST_F(ZoneEuro, FieldsCycleThroughAllThree) {
    for (int expected : {1, 2, 0}) {
        Queue({"Tab"});
        Then([&, expected] { ExpectActive(expected); });
    }
    Queue({"Down"});
    Then([&] { ExpectActive(1); });
    Queue({"Up", "Up"});
    Then([&] { ExpectActive(2); });
    Queue({"Shift+Tab"});
    Then([&] { ExpectActive(1); });
    Run();
}

TEST_F(ZoneEuro, TheCurrencyNameIsNeverTypedInto) {
    Queue({"5", "Num5", "Comma", "Decimal", "Backspace", "Enter"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    Run();
}

TEST_F(ZoneEuro, TypingFollowsTheEntryRules) {
    Queue({"Up", "1", "Comma", "5", "0", "Enter", "Up"});
    Then([&] {
        ASSERT_EQ(Displays(), (Texts{"Franc français", "9,84", "1,50"}));
        ExpectActive(1);
    });
    // A new entry clears the other amount; the entry rules are the main
    // window's, tested there.
    Queue({"1", "2", "Comma"});
    Then([&] { EXPECT_EQ(Displays(), (Texts{"Franc français", "12,", "0"})); });
    Queue({"Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "9,84", "1,50"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    Run();
}

TEST_F(ZoneEuro, UndoBringsBackTheCurrencyWithTheDisplays) {
    // Right after opening, arrow changes are undone too.
    Queue({"Right", "Right", "Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 4);
    });
    // After a finished entry: back to before it began, currency included.
    Queue({"Left", "Up", "2", "Enter", "Tab", "Left"});
    Then([&] { ASSERT_EQ(Zone().DisplayText(0), "Florin néerlandais"); });
    Queue({"Escape"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc belge", "0,00", "0"}));
        EXPECT_EQ(Zone().CurrencyIndex(), 3);
        ExpectActive(0);
    });
    Run();
}

TEST_F(ZoneEuro, AltF4ClosesOnlyThisWindowAndTheMainEntryGoesOn) {
    End();  // this one starts typing on the main window first
    Start();
    Type("12");
    Queue({"Alt+Z", "F4"});
    Then([&] { EXPECT_TRUE(Zone().Loaded()); });
    Queue({"Alt+F4"});
    Then([&] {
        EXPECT_FALSE(Zone().Loaded());
        EXPECT_TRUE(Main().Loaded());
        EXPECT_TRUE(Platform().FindWindow("frmConvalis")->Enabled());
    });
    Run();
    Type("3");
    EXPECT_EQ(Main().DisplayText(0), "123");
    EXPECT_TRUE(Main().EntryInProgress());
}

TEST_F(ZoneEuro, TheCloseButtonEndsTheVisitAndTheNextOpensFresh) {
    Queue({"Up", "7", "Comma"});
    QueueClick("imaCommand", 0);
    Run();
    EXPECT_FALSE(Zone().Loaded());
    Queue({"Alt+Z"});
    Then([&] {
        EXPECT_EQ(Displays(), (Texts{"Franc français", "0", "0"}));
        EXPECT_FALSE(Zone().EntryInProgress());
        ExpectActive(0);
    });
    Run();
}

TEST_F(ZoneEuro, HelpOpensOncePerRequest) {
    Queue({"F1"});
    Then([&] {
        ASSERT_EQ(Platform().HelpRequests().size(), 1u);
        EXPECT_EQ(Platform().HelpRequests()[0].owner, Zone().Window().Handle());
    });
    QueueClick("imaCommand", 2);
    // The button posts F1 behind whatever is queued: check after it.
    Then([&] { Then([&] { EXPECT_EQ(Platform().HelpRequests().size(), 2u); }); });
    Run();
    EXPECT_EQ(Platform().HelpRequests().size(), 2u);
}

}  // namespace
