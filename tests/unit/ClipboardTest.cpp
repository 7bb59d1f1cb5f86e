// Copy and paste of amounts: which pasted texts read as amounts, and the
// clipboard keys of both converter windows.
#include <gtest/gtest.h>

#include <optional>

#include "ProgramFixture.h"
#include "core/ClipboardAmount.h"

namespace {

using Texts = std::vector<std::string>;

TEST(PastedAmount, ReadsNumbersInTheFormatsPeopleCopyAndRefusesTheRest) {
    struct Case {
        const char* pasted;
        std::optional<std::string> typed;  // nothing: refused
        const char* decimalSeparator = ",";
    };
    const std::optional<std::string> kRefused;
    const Case cases[] = {
        // Plain digits, leading zeros dropped as typing drops them.
        {"1234", "1234"},
        {"007", "7"},
        {"0", "0"},
        // One decimal mark, either one, with up to two decimals.
        {"12,5", "12,5"},
        {"12.5", "12,5"},
        {"0,05", "0,05"},
        {"12,", "12,"},
        {".5", "0,5"},
        // The user's separator always marks decimals; the other mark groups
        // when three digits follow it.
        {"12,345", kRefused},
        {"0,005", kRefused},
        {"12.345", "12345"},
        {"12,345", "12345", "."},
        {"12.345", kRefused, "."},
        {"15·24", "15,24", "·"},
        {"1 234·5", "1234,5", "·"},
        {"1·234", kRefused, "·"},
        {"1·234.56", kRefused, "·"},  // it never groups
        {"1,234.56", "1234,56", "·"},
        {"12,345", "12345", "·"},
        {"0.011", kRefused},  // neither three decimals nor a group after 0
        {"1,2345", kRefused},
        {"1,234.567", kRefused},  // three decimals after a decimal mark
        // Grouping by blanks of every width, and by the other mark.
        {"2 365 596", "2365596"},
        {"2\u00A0365\u00A0596,5", "2365596,5"},
        {"1\u202F234,56", "1234,56"},
        {"1.234", "1234"},
        {"1.234.567", "1234567"},
        {"1.234,56", "1234,56"},
        {"1,234.56", "1234,56"},
        {"1 234.5", "1234,5"},
        {"12 34", kRefused},
        {"1234 567", kRefused},
        {"0 123", kRefused},
        {"1.234 567", kRefused},  // two kinds of grouping
        {"1,234,5", kRefused},    // the decimal mark also groups
        {"1.234.56", kRefused},   // likewise
        {"1  234", kRefused},     // two separators in a row
        {"1..5", kRefused},
        // Blanks around the number, as copied from a line or a table cell.
        {"  42\r\n", "42"},
        {"\t1 234,5\u00A0", "1234,5"},
        // At most 15 digits before the mark.
        {"123456789012345,99", "123456789012345,99"},
        {"000123456789012345", "123456789012345"},
        {"1234567890123456", kRefused},
        {"123.456.789.012.345.678", kRefused},
        // No number.
        {"", kRefused},
        {"   ", kRefused},
        {",", kRefused},
        {".", kRefused},
        {"-5", kRefused},
        {"+5", kRefused},
        {"1e5", kRefused},
        {"12 €", kRefused},
        {"douze", kRefused},
        {"1,5,", kRefused},
        {"12,5\n3", kRefused},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(core::PastedAmount(c.pasted, c.decimalSeparator), c.typed)
            << "pasted \"" << c.pasted << "\" with " << c.decimalSeparator;
    }
}

TEST(CopiedAmount, PastesBackAsTheSameAmountWhateverTheUsersSeparator) {
    for (const char* separator : {",", ".", "·", "٫", "", "5"}) {
        for (const std::string typed : {"12,34", "12,", "0,5", "1234"}) {
            EXPECT_EQ(core::PastedAmount(core::CopiedAmount(typed, separator), separator), typed)
                << typed << " copied with \"" << separator << "\"";
        }
    }
}

// Forms the windows take, with what the active display then shows, and
// forms they refuse.
const std::vector<std::pair<std::string, std::string>> kAcceptedPastes{
    {"1 234,5", "1234,5"},         {"1.234", "1234"}, {"1,234.56", "1234,56"}, {"0.5", "0,5"},
    {"2\u202F365 596", "2365596"}, {" 42\r\n", "42"},
};
const Texts kRefusedPastes{"",     "abc", "-5", "1,2,3", "12,345.678", "0.011", "1234567890123456",
                           "1,234"};

class ClipboardKeys : public testing_support::ProgramFixture {
protected:
    void SetUp() override { Start(); }
    offscreen::OffscreenClipboard& Clipboard() { return Platform().Clipboard(); }
    void PasteWith(const std::string& text, const std::string& key = "Ctrl+V") {
        Clipboard().SetContents(text);
        Press({key});
    }
};

TEST_F(ClipboardKeys, CopyTheActiveDisplayAsShown) {
    Type("100");
    Press({"Enter", "Ctrl+C"});
    EXPECT_EQ(Clipboard().Contents(), "100");
    Press({"Tab", "Ctrl+Insert"});
    EXPECT_EQ(Clipboard().Contents(), "15,24");
    // An entry in progress copies what is typed, and goes on.
    Type("12,");
    Press({"Ctrl+C"});
    EXPECT_EQ(Clipboard().Contents(), "12,");
    Type("5");
    EXPECT_EQ(Displays(), (Texts{"0", "0", "12,5", "0"}));
    EXPECT_TRUE(Main().EntryInProgress());
    EXPECT_EQ(Platform().Beeps(), 0);
}

TEST_F(ClipboardKeys, CopyWithTheUsersDecimalSeparatorAndPasteItBack) {
    Platform().SetDecimalSeparator("·");
    Type("100");
    Press({"Enter", "Tab", "Ctrl+C"});
    EXPECT_EQ(Clipboard().Contents(), "15·24");
    // Typed amounts show a comma; the copy has the user's separator.
    Type("1,5");
    Press({"Ctrl+C", "Escape", "Ctrl+V"});
    EXPECT_EQ(Clipboard().Contents(), "1·5");
    EXPECT_EQ(Main().DisplayText(2), "1,5");
    // The paste reads marks for this user: here a comma before three digits
    // groups.
    PasteWith("1,234");
    EXPECT_EQ(Main().DisplayText(2), "1234");
    EXPECT_EQ(Platform().Beeps(), 0);
}

TEST_F(ClipboardKeys, PasteTheAcceptedFormsAsANewEntry) {
    Type("100");
    Press({"Enter"});
    for (const auto& [pasted, shown] : kAcceptedPastes) {
        PasteWith(pasted);
        EXPECT_EQ(Displays(), (Texts{shown, "0", "0", "0"})) << "pasted \"" << pasted << "\"";
        EXPECT_TRUE(Main().EntryInProgress());
        Press({"Escape"});
    }
    PasteWith("7", "Shift+Insert");
    EXPECT_EQ(Main().DisplayText(0), "7");
    EXPECT_EQ(Platform().Beeps(), 0);
}

TEST_F(ClipboardKeys, RefuseAnyOtherTextWithABeepAndChangeNothing) {
    Type("100");
    Press({"Enter", "Tab"});
    Type("7");
    const Texts shown = Displays();
    int beeps = 0;
    for (const std::string& pasted : kRefusedPastes) {
        PasteWith(pasted);
        EXPECT_EQ(Platform().Beeps(), ++beeps) << "pasted \"" << pasted << "\"";
        EXPECT_EQ(Displays(), shown) << "pasted \"" << pasted << "\"";
    }
    // The entry in progress goes on as it was.
    EXPECT_TRUE(Main().EntryInProgress());
    Press({"Enter"});
    EXPECT_EQ(Displays(), (Texts{"45,92", "0", "7", "0"}));
}

TEST_F(ClipboardKeys, PastedAmountConvertsWithEnterAndUndoTakesItBack) {
    Type("100");
    Press({"Enter"});
    PasteWith("1 234,5");
    Press({"Enter"});
    EXPECT_EQ(Displays(), (Texts{"1234,5", "0", "188,20", "0"}));
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));
    EXPECT_FALSE(Main().EntryInProgress());
}

TEST_F(ClipboardKeys, PasteStartsANewEntryOverOneInProgress) {
    Type("12");
    PasteWith("5");
    EXPECT_EQ(Main().DisplayText(0), "5");
    // Typing goes on after the pasted amount, under the entry rules.
    Type("0,257");
    EXPECT_EQ(Main().DisplayText(0), "50,25");
    // Undo gives back what the paste replaced.
    Press({"Escape"});
    EXPECT_EQ(Main().DisplayText(0), "12");
}

TEST_F(ClipboardKeys, NeedCtrlOrShiftAndLeaveTheOtherKeysAsTheyWere) {
    Clipboard().SetContents("5");
    Press({"C", "V", "Insert", "Shift+V", "Ctrl+Alt+V", "Alt+Insert"});
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(Clipboard().Contents(), "5");
    EXPECT_EQ(Platform().Beeps(), 0);
    // Digits and the comma with Ctrl held still type.
    Press({"Ctrl+1", "Ctrl+Comma", "Ctrl+2"});
    EXPECT_EQ(Main().DisplayText(0), "1,2");
}

TEST_F(ClipboardKeys, ClipboardThatCannotBeOpenedEndsTheKeyAndChangesNothing) {
    Type("3");
    Clipboard().SetContents("5");
    Clipboard().SetFailing(true);
    Press({"Ctrl+V", "Ctrl+C"});
    EXPECT_EQ(Platform().TakeHandlerErrors().size(), 2u);
    EXPECT_EQ(Main().DisplayText(0), "3");
    EXPECT_TRUE(Main().EntryInProgress());
    Clipboard().SetFailing(false);
    EXPECT_EQ(Clipboard().Contents(), "5");
}

// The euro-zone window has the same keys; its checks run inside its modal
// loop.
class ZoneClipboardKeys : public ClipboardKeys {
protected:
    void SetUp() override {
        Start();
        Queue({"Alt+Z"});
    }
    zone::frmZoneEuro& Zone() { return program_->ZoneEuro(); }
    Texts ZoneDisplays() {
        return {Zone().DisplayText(0), Zone().DisplayText(1), Zone().DisplayText(2)};
    }
    void QueuePaste(const std::string& text) {
        Then([this, text] { Clipboard().SetContents(text); });
        Queue({"Ctrl+V"});
    }
};

TEST_F(ZoneClipboardKeys, CopyTheCurrencyNameAsTextAndRefuseAPasteIntoIt) {
    Queue({"Right", "Ctrl+C"});
    Then([&] { EXPECT_EQ(Clipboard().Contents(), "Franc luxembourg."); });
    QueuePaste("12");
    Then([&] {
        EXPECT_EQ(Platform().Beeps(), 1);
        EXPECT_EQ(ZoneDisplays(), (Texts{"Franc luxembourg.", "0,00", "0"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    Queue({"Left", "Ctrl+Insert"});
    Then([&] { EXPECT_EQ(Clipboard().Contents(), "Franc français"); });
    Run();
}

// The forms taken and refused are the main window's, tested there.
TEST_F(ZoneClipboardKeys, PasteAnAmountAndRefuseOtherText) {
    Queue({"Tab"});
    QueuePaste("1 234,5");
    Then([&] {
        EXPECT_EQ(ZoneDisplays(), (Texts{"Franc français", "1234,5", "0"}));
        EXPECT_TRUE(Zone().EntryInProgress());
    });
    Queue({"Escape"});
    QueuePaste("abc");
    Then([&] {
        EXPECT_EQ(Platform().Beeps(), 1);
        EXPECT_EQ(ZoneDisplays(), (Texts{"Franc français", "0", "0"}));
    });
    Run();
}

TEST_F(ZoneClipboardKeys, PastedEurosConvertWithEnterAndUndoTakesThemBack) {
    Queue({"Up"});
    QueuePaste("10");
    Queue({"Enter"});
    Then([&] { EXPECT_EQ(ZoneDisplays(), (Texts{"Franc français", "65,60", "10"})); });
    QueuePaste("1.000,5");
    Queue({"Escape"});
    Then([&] {
        EXPECT_EQ(ZoneDisplays(), (Texts{"Franc français", "65,60", "10"}));
        EXPECT_FALSE(Zone().EntryInProgress());
    });
    Run();
}

}  // namespace
