// The clipboard keys of the converter windows: copy the active display,
// paste an amount another program put there (which texts read as amounts:
// core::PastedAmount, tests/unit/ClipboardTest.cpp).
#include "ProgramTest.h"

namespace program_tests {
namespace {

using Texts = std::vector<std::string>;

class ClipboardKeys : public ProgramTest {
protected:
    void SetUp() override { Start(); }
    void PasteWith(const std::string& text, const std::string& key = "Ctrl+V") {
        System().SetClipboardText(text);
        Press({key});
    }
};

TEST_F(ClipboardKeys, CopyTheActiveDisplayAsShownWithTheUsersSeparator) {
    Type("100");
    Press({"Enter", "Ctrl+C"});
    EXPECT_EQ(System().ClipboardText(), "100");
    Press({"Tab", "Ctrl+Insert"});
    EXPECT_EQ(System().ClipboardText(), "15,24");
    // An entry in progress copies what is typed, and goes on.
    Type("12,");
    Press({"Ctrl+C"});
    EXPECT_EQ(System().ClipboardText(), "12,");
    Type("5");
    EXPECT_EQ(Displays(), (Texts{"0", "0", "12,5", "0"}));
    EXPECT_TRUE(Main().EntryInProgress());
    // Typed amounts show a comma; the copy has the user's separator, and so
    // has a converted amount.
    Platform().SetDecimalSeparator("·");
    Press({"Ctrl+C", "Enter"});
    EXPECT_EQ(System().ClipboardText(), "12·5");
    EXPECT_EQ(Main().DisplayText(0), "81·99");
    Press({"Ctrl+V"});
    EXPECT_EQ(Main().DisplayText(2), "12,5");
    // The paste reads marks for this user: a comma before three digits groups.
    PasteWith("1,234");
    EXPECT_EQ(Main().DisplayText(2), "1234");
    EXPECT_EQ(Platform().Beeps(), 0);
}

// The paste is an entry that Enter converts and Escape takes back. Over an
// entry in progress it replaces the typed amount, and Escape takes both
// back to the pair the window showed before.
TEST_F(ClipboardKeys, PasteIsAnEntryThatUndoTakesBackWithTheEntryItReplaced) {
    Type("100");
    Press({"Enter"});
    PasteWith("1 234,5");
    EXPECT_EQ(Displays(), (Texts{"1234,5", "0", "0", "0"}));
    EXPECT_TRUE(Main().EntryInProgress());
    Press({"Enter", "Tab", "Ctrl+C"});
    EXPECT_EQ(System().ClipboardText(), "188,20");
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));

    Type("12");
    PasteWith("5", "Shift+Insert");
    // Typing goes on after the pasted amount, under the entry rules.
    Type("0,257");
    EXPECT_EQ(Main().DisplayText(2), "50,25");
    Press({"Escape"});
    EXPECT_EQ(Displays(), (Texts{"100", "0", "15,24", "0"}));
    EXPECT_FALSE(Main().EntryInProgress());
    EXPECT_EQ(Platform().Beeps(), 0);
}

TEST_F(ClipboardKeys, RefuseAnyOtherTextWithABeepAndChangeNothing) {
    Type("100");
    Press({"Enter", "Tab"});
    Type("7");
    const Texts shown = Displays();
    for (const std::string pasted : {"", "abc", "1234567890123456"}) {
        PasteWith(pasted);
        EXPECT_EQ(Displays(), shown) << "pasted \"" << pasted << "\"";
    }
    EXPECT_EQ(Platform().Beeps(), 3);
    // The entry in progress goes on as it was.
    EXPECT_TRUE(Main().EntryInProgress());
    Press({"Enter"});
    EXPECT_EQ(Displays(), (Texts{"45,92", "0", "7", "0"}));
}

TEST_F(ClipboardKeys, NeedCtrlOrShiftAndLeaveTheOtherKeysAsTheyWere) {
    System().SetClipboardText("5");
    Press({"C", "V", "Insert", "Shift+V", "Ctrl+Alt+V", "Alt+Insert"});
    EXPECT_EQ(Displays(), (Texts{"0", "0", "0", "0"}));
    EXPECT_EQ(System().ClipboardText(), "5");
    EXPECT_EQ(Platform().Beeps(), 0);
}

// The euro-zone window's own: its currency name copies as text and takes
// no paste.
TEST_F(ClipboardKeys, CopyTheCurrencyNameAsTextAndRefuseAPasteIntoIt) {
    zone::frmZoneEuro& zone = program_->ZoneEuro();
    Queue({"Alt+Z", "Right", "Ctrl+C"});
    Then([&] {
        EXPECT_EQ(System().ClipboardText(), "Franc luxembourg.");
        System().SetClipboardText("12");
    });
    Queue({"Ctrl+V"});
    Then([&] {
        EXPECT_EQ(Platform().Beeps(), 1);
        EXPECT_EQ(Displays(zone, zone::frmZoneEuro::kFields),
                  (Texts{"Franc luxembourg.", "0,00", "0"}));
        EXPECT_FALSE(zone.EntryInProgress());
    });
    Queue({"Left", "Ctrl+Insert"});
    Then([&] { EXPECT_EQ(System().ClipboardText(), "Franc français"); });
    Run();
}

}  // namespace
}  // namespace program_tests
