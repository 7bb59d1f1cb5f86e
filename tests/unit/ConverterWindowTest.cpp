// The main window driven through its keys and buttons: navigation, entry
// rules, conversions, undo, commands.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace {

using Texts = std::vector<std::string>;
using testing_support::kAfterChangeover;
using testing_support::kBeforeChangeover;

const platform::OleColor kHighlight = platform::SystemColor(platform::syscolor::kHighlight);

class ConverterWindow : public testing_support::ProgramFixture {
protected:
    // The field whose caption and display are highlighted; -1 unless exactly one is.
    int HighlightedField() {
        int found = -1;
        for (int i = 0; i < converter::frmConvalis::kFields; ++i) {
            bool display = Main().Display(i).ForeColor() == kHighlight;
            bool caption = Main().Caption(i).ForeColor() == kHighlight;
            EXPECT_EQ(display, caption) << "field " << i;
            if (display) {
                if (found != -1)
                    return -1;
                found = i;
            }
        }
        return found;
    }

    // The field the marker stands beside: 70 twips right of its display's
    // right edge, level with its top.
    int MarkedField() {
        platform::Bounds marker = Main().FocusMarker().Placement();
        for (int i = 0; i < converter::frmConvalis::kFields; ++i) {
            platform::Bounds display = Main().Display(i).Placement();
            if (marker.left == display.left + display.width + 70 && marker.top == display.top) {
                return i;
            }
        }
        return -1;
    }

    void ExpectActive(int field) {
        EXPECT_EQ(Main().ActiveField(), field);
        EXPECT_EQ(HighlightedField(), field);
        EXPECT_EQ(MarkedField(), field);
    }
};

TEST_F(ConverterWindow, LoadsWithFieldZeroActiveAndEveryDisplayAtZero) {
    Start();
    const offscreen::OffscreenWindow* window = Platform().FindWindow("frmConvalis");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Visible());
    EXPECT_EQ(window->Caption(), "Convalis");
    EXPECT_EQ(window->Placement().width, 2985);
    EXPECT_EQ(window->Placement().height, 2685);
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    ExpectActive(0);
    EXPECT_FALSE(Main().EntryInProgress());
    // The marker is 6 x 12 pixels.
    EXPECT_EQ(Main().FocusMarker().Placement().width, 6 * 15);
    EXPECT_EQ(Main().FocusMarker().Placement().height, 12 * 15);
}

TEST_F(ConverterWindow, ChangeRowFollowsTheDateAtLoad) {
    Start(kBeforeChangeover);
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_TRUE(Main().Display(1).Visible());
    EXPECT_TRUE(Main().Caption(3).Visible());

    Start(kAfterChangeover);
    EXPECT_FALSE(Main().ChangeRowShown());
    EXPECT_FALSE(Main().Display(1).Visible());
    EXPECT_FALSE(Main().Display(3).Visible());
    EXPECT_FALSE(Main().Caption(1).Visible());
    EXPECT_TRUE(Main().Display(2).Visible());
}

TEST_F(ConverterWindow, NavigationWithoutTheChangeRowSwapsBetweenPrices) {
    Start(kAfterChangeover);
    for (const char* key : {"Tab", "Shift+Tab", "Up", "Down"}) {
        Press({key});
        ExpectActive(2);
        Press({key});
        ExpectActive(0);
    }
}

TEST_F(ConverterWindow, NavigationWithTheChangeRowVisitsThreeFieldsButNeverTheChange) {
    Start(kBeforeChangeover);
    for (int expected : {1, 2, 0, 1}) {
        Press({"Tab"});
        ExpectActive(expected);
    }
    for (int expected : {0, 2, 1, 0}) {
        Press({"Shift+Tab"});
        ExpectActive(expected);
    }
    Press({"Down"});
    ExpectActive(1);
    Press({"Up"});
    ExpectActive(0);
}

TEST_F(ConverterWindow, NavigationEndsTheEntryByConvertingItFirst) {
    Start(kBeforeChangeover);
    Type("12");
    Press({"Tab"});
    EXPECT_EQ(Displays(), (Texts{"12", "0", "1,83", "0"}));
    ExpectActive(1);
    EXPECT_FALSE(Main().EntryInProgress());

    Start(kAfterChangeover);
    Type("12");
    Press({"Tab"});
    EXPECT_EQ(Main().DisplayText(2), "1,83");
    ExpectActive(2);
}

TEST_F(ConverterWindow, AStartedEntryClearsTheDisplaysItMakesOutOfDate) {
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
}

TEST_F(ConverterWindow, TypingFollowsTheAmountRules) {
    Start();
    Type("007");
    EXPECT_EQ(Main().DisplayText(0), "7");
    Press({"Escape"});

    Type(",");
    EXPECT_EQ(Main().DisplayText(0), "0,");
    Type("5");
    EXPECT_EQ(Main().DisplayText(0), "0,5");
    Type("01");  // the third decimal is refused
    EXPECT_EQ(Main().DisplayText(0), "0,50");
    Press({"Escape"});

    Type("12,5,");  // a second comma is refused
    EXPECT_EQ(Main().DisplayText(0), "12,5");
    Press({"Decimal", "Num7"});
    EXPECT_EQ(Main().DisplayText(0), "12,57");
}

TEST_F(ConverterWindow, DigitsAndCommaTypeWhateverModifiersAreHeld) {
    Start();
    Press({"Ctrl+5", "Alt+6", "Shift+7", "Alt+Comma", "Ctrl+Decimal", "Alt+Num1"});
    EXPECT_EQ(Main().DisplayText(0), "567,1");
}

TEST_F(ConverterWindow, TheIntegerPartTakesAtMostFifteenDigits) {
    Start();
    Type("123456789012345");
    Type("6");
    EXPECT_EQ(Main().DisplayText(0), "123456789012345");
    Type(",99");
    EXPECT_EQ(Main().DisplayText(0), "123456789012345,99");
    Press({"Enter"});
    EXPECT_EQ(Main().DisplayText(2), "18820866156218,47");
}

TEST_F(ConverterWindow, BackspaceErasesOnlyWhileTyping) {
    Start();
    Press({"Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "0");
    Type("7");
    Press({"Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "0");
    Type("8");  // replaces the "0" left behind
    EXPECT_EQ(Main().DisplayText(0), "8");
    Press({"Escape"});
    Type("12,");
    Press({"Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "12");
    Type(",3");  // erasing the comma made room for a new one
    EXPECT_EQ(Main().DisplayText(0), "12,3");
    Press({"Escape"});
    Type(",");
    Press({"Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "0");
    EXPECT_TRUE(Main().EntryInProgress());
    Press({"Enter"});
    Press({"Backspace"});
    EXPECT_EQ(Main().DisplayText(0), "0");
}

TEST_F(ConverterWindow, EscapeTakesBackTheLastEntryWithItsResults) {
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

// At the fixed rate, to the cent (amounts of every size: RoundingTest.cpp).
TEST_F(ConverterWindow, ConvertsEitherPriceIntoTheOther) {
    const struct {
        int field;
        const char* typed;
        const char* expected;  // in the other price display
    } conversions[] = {{0, "100", "15,24"}, {0, "12,5", "1,91"}, {0, "0,", "0,00"},
                       {0, "12,", "1,83"},  {2, "10", "65,60"},  {2, "0,01", "0,07"}};
    for (const auto& c : conversions) {
        Start();
        if (c.field == 2)
            Press({"Tab"});
        Type(c.typed);
        Press({"Enter"});
        EXPECT_EQ(Main().DisplayText(2 - c.field), c.expected) << c.typed;
        // The driving display keeps the text as typed.
        EXPECT_EQ(Main().DisplayText(c.field), c.typed);
        EXPECT_FALSE(Main().EntryInProgress());
    }
}

TEST_F(ConverterWindow, ChangeIsThePaymentInEurosLessTheDisplayedPrice) {
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

TEST_F(ConverterWindow, DisplaysFollowTheUsersDecimalSeparator) {
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
    }
}

TEST_F(ConverterWindow, OConvertsAnEntryAndOpensNothingWithoutAlt) {
    Start();
    Press({"O"});
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    Type("100");
    Press({"O"});
    EXPECT_EQ(Main().DisplayText(2), "15,24");
    EXPECT_FALSE(Main().EntryInProgress());
    EXPECT_EQ(Platform().LoadedWindows().size(), 1u);
    Type("5");
    Press({"Alt+O"});
    EXPECT_FALSE(Main().EntryInProgress());
    EXPECT_EQ(Main().DisplayText(2), "0,76");
}

TEST_F(ConverterWindow, HideHelpAboutAndTheEuroZoneLeaveTheEntryInProgress) {
    Start();
    Type("12");
    Press({"F4", "R", "Z"});  // without Alt: nothing
    Press({"Alt+R"});
    EXPECT_FALSE(Main().Window().Visible());
    Platform().PostIconDoubleClick();
    Queue({"F1", "Alt+Z", "5", "Alt+F4"});  // typed into the euro-zone window
    QueueClick("imaCommand", 3);
    Queue({"Escape"});  // closes the about box
    Run();
    EXPECT_TRUE(Main().Window().Visible());
    EXPECT_EQ(Platform().LoadedWindows().size(), 1u);
    EXPECT_TRUE(Main().EntryInProgress());
    Type("3");
    EXPECT_EQ(Main().DisplayText(0), "123");
    EXPECT_EQ(Main().DisplayText(2), "0");
}

TEST_F(ConverterWindow, HelpOpensTheHelpFileOncePerRequest) {
    offscreen::ProgramFacts facts;
    facts.path = "C:\\Caisse";
    Start(kAfterChangeover, facts);
    Press({"F1"});
    ASSERT_EQ(Platform().HelpRequests().size(), 1u);
    EXPECT_EQ(Platform().HelpRequests()[0].file, "C:\\Caisse\\Convalis.hlp");
    EXPECT_EQ(Platform().HelpRequests()[0].owner, Main().Window().Handle());
    Click("imaCommand", 4);
    EXPECT_EQ(Platform().HelpRequests().size(), 2u);
    Press({"Shift+F1", "Alt+F1"});
    EXPECT_EQ(Platform().HelpRequests().size(), 4u);
}

TEST_F(ConverterWindow, CloseButtonAndAltF4UnloadTheWindow) {
    Start();
    Press({"Alt+F4"});
    EXPECT_FALSE(Main().Loaded());
    EXPECT_TRUE(Platform().LoadedWindows().empty());

    Start();
    Press({"F4"});
    EXPECT_TRUE(Main().Loaded());
    Click("imaCommand", 0);
    EXPECT_FALSE(Main().Loaded());
}

TEST_F(ConverterWindow, HidingTheChangeRowMovesTheFocusOffThePayment) {
    Start(kBeforeChangeover);
    Press({"Tab"});
    Type("50");
    Main().ShowChangeRow(false);
    ExpectActive(0);
    // The entry and the texts are left as they are.
    EXPECT_TRUE(Main().EntryInProgress());
    EXPECT_EQ(Main().DisplayText(1), "50");
    EXPECT_FALSE(Main().Display(1).Visible());

    Press({"Tab"});
    ExpectActive(2);
    Main().ShowChangeRow(false);
    ExpectActive(2);
    Main().ShowChangeRow(true);
    Press({"Tab"});
    ExpectActive(0);
}

}  // namespace
