// What only the offscreen platform records of the program: what a screen
// reader reads, a clipboard or a control that fails, the options row's
// flicker and the about box's line on virtual time. (That closed windows
// are freed: the soak checks it after every event.)
#include "OffscreenProgramTest.h"
#include "ProductInfo.h"
#include "shell/StartupShortcut.h"

namespace program_tests {
namespace {

const offscreen::OffscreenLabel& Accessible(const platform::Label& label) {
    return dynamic_cast<const offscreen::OffscreenLabel&>(label);
}

// What a screen reader reads of the converter windows: each display named
// with its caption (the euro-zone window's with the caption beside it), and
// the accessibility focus on the active one, following it. Which names
// change as the displays do is the platform's rule (the end-to-end tests).
class Accessibility : public OffscreenProgramTest {
protected:
    std::string LastAnnounced(const std::string& window) {
        const auto& heard = Window(window).Announcements();
        return heard.empty() ? "" : heard.back().control + " " + heard.back().name;
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
    EXPECT_TRUE(Window("frmConvalis").Announcements().empty()) << "announced while it loaded";
    Press({"Shift+Tab"});
    EXPECT_FALSE(Accessible(Main().Display(0)).HasAccessibleFocus());
    EXPECT_TRUE(Accessible(Main().Display(2)).HasAccessibleFocus());
    EXPECT_EQ(LastAnnounced("frmConvalis"), "lblP(2) prix en euros 0");

    Queue({"Alt+Z"});
    Then([&] {
        zone::frmZoneEuro& zone = program_->ZoneEuro();
        EXPECT_EQ(Accessible(zone.Display(0)).AccessibleName(), "prix en Franc français");
        EXPECT_EQ(Accessible(zone.Display(1)).AccessibleName(), "prix en 0");
        EXPECT_EQ(Accessible(zone.Display(2)).AccessibleName(), "prix en euros 0");
        EXPECT_TRUE(Accessible(zone.Display(0)).HasAccessibleFocus());
    });
    Queue({"Right", "Tab"});
    Then([&] {
        const offscreen::OffscreenLabel& units = Accessible(program_->ZoneEuro().Display(1));
        EXPECT_EQ(units.AccessibleName(), "prix en 0,00");
        EXPECT_TRUE(units.HasAccessibleFocus());
        EXPECT_EQ(LastAnnounced("frmZoneEuro"), "lblP(1) prix en 0,00");
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

}  // namespace
}  // namespace program_tests
