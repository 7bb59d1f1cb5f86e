// What a screen reader hears from the converter windows: each display named
// with its caption, the accessibility focus on the active one, and a name
// change whenever a shown display's text changes.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

// Found by argument-dependent lookup, as GoogleTest needs.
namespace offscreen {

bool operator==(const offscreen::Announcement& a, const offscreen::Announcement& b) {
    return a.kind == b.kind && a.control == b.control && a.name == b.name;
}

void PrintTo(const offscreen::Announcement& a, std::ostream* out) {
    *out << (a.kind == offscreen::Announcement::Kind::kFocus ? "focus " : "name ") << a.control
         << " \"" << a.name << "\"";
}

}  // namespace offscreen

namespace {

using offscreen::Announcement;
using testing_support::kBeforeChangeover;
using Kind = Announcement::Kind;

const offscreen::OffscreenLabel& Accessible(const platform::Label& label) {
    return dynamic_cast<const offscreen::OffscreenLabel&>(label);
}

class Accessibility : public testing_support::ProgramFixture {
protected:
    // What `window` announced since the last call.
    std::vector<Announcement> Heard(const std::string& window = "frmConvalis") {
        offscreen::OffscreenWindow* shown = Platform().FindWindow(window);
        std::vector<Announcement> heard = shown->Announcements();
        shown->ClearAnnouncements();
        return heard;
    }
};

TEST_F(Accessibility, DisplaysReadWithTheirCaptionsAndTheActiveOneHasTheFocus) {
    Start(kBeforeChangeover);
    const char* names[] = {"prix en francs 0", "payé (en francs) 0", "prix en euros 0",
                           "appoint (en euros) 0"};
    for (int i = 0; i < converter::frmConvalis::kFields; ++i) {
        const offscreen::OffscreenLabel& display = Accessible(Main().Display(i));
        EXPECT_EQ(display.AccessibleName(), names[i]);
        EXPECT_EQ(display.AccessibleRole(), platform::AccessibleRole::kStaticText);
        EXPECT_EQ(display.HasAccessibleFocus(), i == 0) << i;
        // A caption reads as itself.
        EXPECT_EQ(Accessible(Main().Caption(i)).AccessibleName(), Main().Caption(i).Caption());
    }
    EXPECT_TRUE(Heard().empty()) << "the window announced something while it loaded";
}

TEST_F(Accessibility, EnterAnnouncesTheConversionAndTabMovesTheFocus) {
    Start();
    Type("10");
    Press({"Enter"});
    EXPECT_EQ(Heard(), (std::vector<Announcement>{
                           {Kind::kNameChange, "lblP(0)", "prix en francs 1"},
                           {Kind::kNameChange, "lblP(0)", "prix en francs 10"},
                           {Kind::kNameChange, "lblP(2)", "prix en euros 1,52"},
                       }));
    // A new entry clears the euro display; Tab converts, then the euro
    // display takes the focus.
    Type("0");
    Press({"Tab"});
    EXPECT_EQ(Heard(), (std::vector<Announcement>{
                           {Kind::kNameChange, "lblP(2)", "prix en euros 0"},
                           {Kind::kNameChange, "lblP(0)", "prix en francs 0"},
                           {Kind::kNameChange, "lblP(2)", "prix en euros 0,00"},
                           {Kind::kFocus, "lblP(2)", "prix en euros 0,00"},
                       }));
    EXPECT_TRUE(Accessible(Main().Display(2)).HasAccessibleFocus());
    EXPECT_FALSE(Accessible(Main().Display(0)).HasAccessibleFocus());
    // Escape gives the amounts back and says so.
    Type("5");
    Heard();
    Press({"Escape"});
    EXPECT_EQ(Heard(), (std::vector<Announcement>{
                           {Kind::kNameChange, "lblP(2)", "prix en euros 0,00"},
                       }));
}

TEST_F(Accessibility, TheHiddenChangeRowAndAHiddenWindowAnnounceNothing) {
    Start(kBeforeChangeover);
    Type("100");
    Press({"Tab"});
    Type("200");
    Press({"Enter"});
    ASSERT_NE(Main().DisplayText(3), "0");
    Main().ShowChangeRow(false);
    Heard();
    // Escape takes the payment and the change back to "0", out of sight.
    Press({"Escape"});
    EXPECT_EQ(Main().DisplayText(1), "0");
    EXPECT_EQ(Main().DisplayText(3), "0");
    EXPECT_TRUE(Heard().empty());
    // Hidden in the notification area, the window is silent.
    Press({"Alt+R"});
    Main().SelectField(2);
    Main().ConvertActiveField();
    EXPECT_EQ(Main().DisplayText(0), "99,97");
    EXPECT_TRUE(Accessible(Main().Display(2)).HasAccessibleFocus());
    EXPECT_TRUE(Heard().empty());
}

TEST_F(Accessibility, EuroZoneDisplaysReadWithTheirSideCaption) {
    Start();
    Queue({"Alt+Z"});
    Then([&] {
        zone::frmZoneEuro& zone = program_->ZoneEuro();
        EXPECT_EQ(Accessible(zone.Display(0)).AccessibleName(), "prix en Franc français");
        EXPECT_EQ(Accessible(zone.Display(1)).AccessibleName(), "prix en 0");
        EXPECT_EQ(Accessible(zone.Display(2)).AccessibleName(), "prix en euros 0");
        EXPECT_TRUE(Accessible(zone.Display(0)).HasAccessibleFocus());
        Heard("frmZoneEuro");
    });
    Queue({"Right", "Tab"});
    Then([&] {
        const std::vector<Announcement> heard = Heard("frmZoneEuro");
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.front().control, "lblP(0)");
        EXPECT_EQ(heard.front().name, std::string("prix en ") + core::CurrencyNames[5]);
        EXPECT_EQ(heard.back(), (Announcement{Kind::kFocus, "lblP(1)", "prix en 0,00"}));
    });
    Queue({"Escape"});
    Run();
}

}  // namespace
