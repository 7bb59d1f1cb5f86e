// What only the offscreen platform records of the program: what a screen
// reader hears, a clipboard or a control that fails, the options row's
// flicker, the about box's line on virtual time, and the windows freed.
#include "OffscreenProgramTest.h"
#include "ProductInfo.h"
#include "shell/StartupShortcut.h"

// Found by argument-dependent lookup, as GoogleTest needs.
namespace offscreen {

bool operator==(const Announcement& a, const Announcement& b) {
    return a.kind == b.kind && a.control == b.control && a.name == b.name;
}

void PrintTo(const Announcement& a, std::ostream* out) {
    *out << (a.kind == Announcement::Kind::kFocus ? "focus " : "name ") << a.control << " \""
         << a.name << "\"";
}

}  // namespace offscreen

namespace program_tests {
namespace {

using offscreen::Announcement;
using Kind = Announcement::Kind;
using Heard = std::vector<Announcement>;

const offscreen::OffscreenLabel& Accessible(const platform::Label& label) {
    return dynamic_cast<const offscreen::OffscreenLabel&>(label);
}

// What a screen reader hears from the converter windows: each display named
// with its caption, the accessibility focus on the active one, and a name
// change whenever a shown display's text changes.
class Accessibility : public OffscreenProgramTest {
protected:
    // What `window` announced since the last call.
    Heard Announced(const std::string& window = "frmConvalis") {
        Heard heard = Window(window).Announcements();
        Window(window).ClearAnnouncements();
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
        EXPECT_EQ(Accessible(Main().Caption(i)).AccessibleName(), Main().Caption(i).Caption());
    }
    EXPECT_TRUE(Announced().empty()) << "the window announced something while it loaded";
}

TEST_F(Accessibility, EnterAnnouncesTheConversionAndTabMovesTheFocus) {
    Start();
    Type("10");
    Press({"Enter"});
    EXPECT_EQ(Announced(), (Heard{{Kind::kNameChange, "lblP(0)", "prix en francs 1"},
                                  {Kind::kNameChange, "lblP(0)", "prix en francs 10"},
                                  {Kind::kNameChange, "lblP(2)", "prix en euros 1,52"}}));
    // A new entry clears the euro display; Tab converts, then the euro
    // display takes the focus.
    Type("0");
    Press({"Tab"});
    EXPECT_EQ(Announced(), (Heard{{Kind::kNameChange, "lblP(2)", "prix en euros 0"},
                                  {Kind::kNameChange, "lblP(0)", "prix en francs 0"},
                                  {Kind::kNameChange, "lblP(2)", "prix en euros 0,00"},
                                  {Kind::kFocus, "lblP(2)", "prix en euros 0,00"}}));
    EXPECT_FALSE(Accessible(Main().Display(0)).HasAccessibleFocus());
    // Escape gives the amounts back and says so.
    Type("5");
    Announced();
    Press({"Escape"});
    EXPECT_EQ(Announced(), (Heard{{Kind::kNameChange, "lblP(2)", "prix en euros 0,00"}}));
}

TEST_F(Accessibility, TheHiddenChangeRowAndAHiddenWindowAnnounceNothing) {
    Start(kBeforeChangeover);
    Type("100");
    Press({"Tab"});
    Type("200");
    Press({"Enter"});
    ASSERT_NE(Main().DisplayText(3), "0");
    Main().ShowChangeRow(false);
    Announced();
    // Escape takes the payment and the change back to "0", out of sight.
    Press({"Escape"});
    EXPECT_EQ(Main().DisplayText(3), "0");
    EXPECT_TRUE(Announced().empty());
    // Hidden in the notification area, the window is silent.
    Press({"Alt+R"});
    Main().SelectField(2);
    Main().ConvertActiveField();
    EXPECT_EQ(Main().DisplayText(0), "99,97");
    EXPECT_TRUE(Accessible(Main().Display(2)).HasAccessibleFocus());
    EXPECT_TRUE(Announced().empty());
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
        Announced("frmZoneEuro");
    });
    Queue({"Right", "Tab"});
    Then([&] {
        const Heard heard = Announced("frmZoneEuro");
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.front().control, "lblP(0)");
        EXPECT_EQ(heard.front().name, std::string("prix en ") + core::CurrencyNames[5]);
        EXPECT_EQ(heard.back(), (Announcement{Kind::kFocus, "lblP(1)", "prix en 0,00"}));
    });
    Queue({"Escape"});
    Run();
}

using Records = OffscreenProgramTest;

TEST_F(Records, AFailingClipboardEndsTheKeyAndChangesNothing) {
    Start();
    Type("3");
    Offscreen().Clipboard().SetContents("5");
    Offscreen().Clipboard().SetFailing(true);
    Press({"Ctrl+V", "Ctrl+C"});
    EXPECT_EQ(Offscreen().TakeHandlerErrors().size(), 2u);
    EXPECT_EQ(Main().DisplayText(0), "3");
    EXPECT_TRUE(Main().EntryInProgress());
    Offscreen().Clipboard().SetFailing(false);
    EXPECT_EQ(Offscreen().Clipboard().Contents(), "5");
}

// The options dialog: OK without changes leaves the row alone (no flicker)
// but rewrites the shortcut, which may point at a program moved since; a
// row that fails to hide still unloads the dialog.
class Options : public OffscreenProgramTest {
protected:
    // The Startup shortcut's record; none when there is none.
    offscreen::ShortcutFile* Shortcut() {
        offscreen::UserFiles& files = Offscreen().Shell().Files();
        auto found = files.shortcuts.find(*files.startupFolder + "\\" + shell::kShortcutName);
        return found == files.shortcuts.end() ? nullptr : &found->second;
    }
    offscreen::OffscreenLabel& PaidDisplay() {
        return dynamic_cast<offscreen::OffscreenLabel&>(
            *Window("frmConvalis").FindControl("lblP", 1));
    }
    void QueueTickingBothAndOk() {
        Queue({"Alt+O"});
        QueueClick("Activer l'appoint en Euros");
        QueueClick("Lancer au démarrage de Windows");
        QueueClick("OK");
    }
};

TEST_F(Options, OkWithoutChangesLeavesTheRowAloneButRewritesTheShortcut) {
    Start(kBeforeChangeover);
    Queue({"Alt+O"});
    QueueClick("Lancer au démarrage de Windows");
    Queue({"Enter"});
    Run();
    ASSERT_TRUE(Shortcut());
    (*Shortcut())->target = "D:\\Ancien\\Convalis.exe";
    const int flicker = PaidDisplay().VisibilityChanges();
    Queue({"Alt+O"});
    QueueClick("OK");
    Run();
    EXPECT_EQ(PaidDisplay().VisibilityChanges(), flicker) << "the row was shown and hidden again";
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_EQ((*Shortcut())->target, "C:\\Program Files\\Convalis\\Convalis.exe");
}

TEST_F(Options, TheDialogIsUnloadedAlsoWhenApplyingTheRowFails) {
    Start(kBeforeChangeover);
    PaidDisplay().SetBroken(true);
    QueueTickingBothAndOk();
    Run();
    EXPECT_EQ(Offscreen().TakeHandlerErrors().size(), 1u) << "hiding the row failed";
    EXPECT_FALSE(program_->Options().Loaded());
    EXPECT_TRUE(Shortcut()) << "written before the row failed";
    EXPECT_TRUE(PaidDisplay().Visible());
    // The next opening starts fresh: nothing confirmed yet. Once the shortcut
    // has been deleted, the failure is ignored.
    Queue({"Alt+O"});
    Then([&] { EXPECT_EQ(program_->Options().Window().Tag(), ""); });
    Queue({"Escape"});
    QueueTickingBothAndOk();
    Run();
    EXPECT_TRUE(Offscreen().TakeHandlerErrors().empty());
    EXPECT_FALSE(program_->Options().Loaded());
    EXPECT_FALSE(Shortcut());
}

TEST_F(Records, TheAboutLineNamesTheUserStepsLeftAndStartsAgainAtTheRight) {
    Start();
    Offscreen().Shell().SetRegistryString(platform::RegistryRoot::kUsers, dialogs::kUserInfoKey,
                                          dialogs::kUserNameValue, "Jeanne Caisse");
    QueueClick("A propos de...");
    Then([&] {
        dialogs::frmAbout& about = program_->About();
        const platform::Label& line = about.lblMarquee();
        EXPECT_EQ(line.Caption(), std::string("Convertisseur Francs-Euros   -   ") +
                                      product::kLegalCopyright + "   -   Jeanne Caisse");
        const int right = about.Window().ScaleWidth();
        const int width = line.Placement().width;
        ASSERT_GT(width, 0);
        int expected = right;
        for (int tick = 0; tick < 300; ++tick) {
            expected -= 50;
            if (360 - width > expected)
                expected = right;
            Offscreen().PostTick(1);
            Offscreen().RunPending();
            ASSERT_EQ(line.Placement().left, expected) << "after tick " << tick + 1;
        }
        EXPECT_LT(right - 300 * 50, 360 - width) << "the line wrapped at least once";
        // A line that reaches the wrapping point exactly steps once more first.
        platform::Bounds at = line.Placement();
        at.left = 360 - width + 50;
        Window("frmAbout").FindControl("lblMarquee", -1)->Move(at);
        Offscreen().PostTick(1);
        Offscreen().RunPending();
        EXPECT_EQ(line.Placement().left, 360 - width) << "wrapped a step early";
    });
    Queue({"Enter"});
    Run();
    EXPECT_FALSE(program_->About().Loaded());
}

// Unloaded windows are freed as soon as no handler runs, also while a long
// input is still being delivered, and inside another window's modal loop.
TEST_F(Records, ClosedWindowsAreFreedWhileTheInputRuns) {
    Start();
    // Every window and drawing surface alive holds one device context.
    const auto deviceContexts = [&] { return Offscreen().Gdi().DeviceContexts(); };
    const std::size_t mainOnly = deviceContexts();
    Queue({"Alt+Z"});
    QueueClick("A propos de...");
    Then([&] {
        EXPECT_EQ(Offscreen().LoadedWindows().size(), 3u);
        EXPECT_GT(deviceContexts(), mainOnly);
    });
    Queue({"Alt+F4", "Alt+F4"});
    for (int round = 0; round < 25; ++round) {
        Queue({"Alt+Z", "Alt+F4", "Alt+O", "Escape"});
        QueueClick("A propos de...");
        Queue({"Escape"});
        Then([&, round] {
            ASSERT_EQ(deviceContexts(), mainOnly) << "after " << round + 1 << " rounds";
        });
    }
    Run();
    EXPECT_EQ(Offscreen().LoadedWindows().size(), 1u);
    EXPECT_TRUE(Main().Window().Visible());
}

}  // namespace
}  // namespace program_tests
