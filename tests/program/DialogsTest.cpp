// The options dialog and the about box, opened modal from the converter
// windows; checks run inside their modal loops.
#include "ProductInfo.h"
#include "ProgramTest.h"
#include "shell/StartupShortcut.h"

namespace program_tests {
namespace {

class OptionsDialog : public ProgramTest {
protected:
    void TearDown() override {
        if (program_ && Main().Loaded() && Shortcut())
            Shell().DeleteShortcut(ShortcutFile());
        ProgramTest::TearDown();
    }

    // Starts the program with no Startup shortcut, as installed.
    void StartWithoutShortcut(const platform::LocalDateTime& now) {
        Start(now);
        if (Shortcut())
            Shell().DeleteShortcut(ShortcutFile());
    }
    platform::Shell& Shell() { return Platform().ShellServices(); }
    std::string ShortcutFile() {
        return Shell().StartupFolder(Main().Window()).value_or("") + "\\" + shell::kShortcutName;
    }
    // The Startup shortcut; none when there is none.
    std::optional<platform::Shortcut> Shortcut() { return Shell().ReadShortcut(ShortcutFile()); }
    dialogs::frmOptions& Options() { return program_->Options(); }
    // Ticks both boxes: the change row and the start with Windows.
    void QueueTickingBoth() {
        QueueClick("Activer l'appoint en Euros");
        QueueClick("Lancer au démarrage de Windows");
    }
};

TEST_F(OptionsDialog, FinishesTheEntryThenShowsTheCurrentState) {
    StartWithoutShortcut(kBeforeChangeover);
    Type("100");
    Queue({"Alt+O"});
    Then([&] {
        ASSERT_TRUE(Options().Loaded());
        EXPECT_EQ(Main().DisplayText(2), "15,24");
        EXPECT_FALSE(Main().EntryInProgress());
        EXPECT_EQ(Options().chkDémarrage().Value(), 0);
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
        EXPECT_EQ(Options().Window().Tag(), "");
        EXPECT_FALSE(System().TakesInput(Main().Window()));
    });
    Run();
    EXPECT_FALSE(Options().Loaded()) << "the dialog is unloaded when it closes";

    Main().ShowChangeRow(false);
    Queue({"Alt+O", "Enter"});  // writes nothing: the boxes are as loaded
    Run();
    EXPECT_FALSE(Shortcut());
}

TEST_F(OptionsDialog, EveryWayOfCancellingChangesNothing) {
    StartWithoutShortcut(kAfterChangeover);
    const std::vector<std::function<void()>> cancels = {
        [&] { QueueClick("Annuler"); },
        [&] { Queue({"Escape"}); },
        [&] { Queue({"Alt+F4"}); },
        [&] { QueueClick("Fermer Alt+F4"); },
    };
    for (const auto& cancel : cancels) {
        Queue({"Alt+O"});
        QueueTickingBoth();
        Then([&] { ASSERT_EQ(Options().chkAppoint().Value(), 1); });
        cancel();
        Then([&] { EXPECT_FALSE(Options().Loaded()); });
        Run();
        EXPECT_FALSE(Main().ChangeRowShown());
        EXPECT_FALSE(Shortcut());
        EXPECT_TRUE(System().TakesInput(Main().Window()));
    }
}

TEST_F(OptionsDialog, OkAppliesTheChoicesAfterTheDialogCloses) {
    StartWithoutShortcut(kAfterChangeover);
    Queue({"Alt+O"});
    QueueTickingBoth();
    QueueClick("OK");
    Run();
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_TRUE(Main().Display(1).Visible());
    ASSERT_TRUE(Shortcut());
    EXPECT_EQ(Shortcut()->arguments, "/Hidden");

    // Reopened: both checked. Untick both, confirm with Enter while a check
    // box was the last thing used.
    Press({"Tab"});
    ASSERT_EQ(Main().ActiveField(), 1);
    Queue({"Alt+O"});
    Then([&] {
        EXPECT_EQ(Options().chkDémarrage().Value(), 1);
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
    });
    QueueTickingBoth();
    Queue({"Enter"});
    Run();
    EXPECT_FALSE(Main().ChangeRowShown());
    EXPECT_FALSE(Shortcut());
    EXPECT_EQ(Main().ActiveField(), 0) << "hiding the row moves the focus off the payment";
}

// Tab, Shift+Tab and Space work as the platform's check boxes make them
// work; here the first box has the focus at each opening, and neither Tab
// nor Enter reaches the main window.
TEST_F(OptionsDialog, WorkFromTheKeyboardAlone) {
    StartWithoutShortcut(kAfterChangeover);
    Queue({"Alt+O", "Space", "Shift+Tab", "Space", "Tab", "Tab"});
    Then([&] {
        EXPECT_EQ(Options().chkDémarrage().Value(), 1);
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
    });
    Queue({"Enter"});
    Run();
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_TRUE(Shortcut());
    EXPECT_EQ(Main().ActiveField(), 0) << "Tab in the dialog reached the main window";

    // Reopened, the first box has the focus again; Escape cancels from there.
    Queue({"Alt+O", "Space", "Escape"});
    Run();
    EXPECT_TRUE(Shortcut());
}

using AboutDialog = ProgramTest;

// The about button of the euro-zone window; the main window's opens the
// same box (MainWindowTest).
TEST_F(AboutDialog, ShowsNameVersionAddressesAndTheRegisteredUser) {
    Start();
    const std::string user = Platform()
                                 .RegistryReader()
                                 .ReadString(platform::RegistryRoot::kUsers, dialogs::kUserInfoKey,
                                             dialogs::kUserNameValue)
                                 .value_or("");
    dialogs::frmAbout& about = program_->About();
    Queue({"Alt+Z"});
    QueueClick("A propos de...");
    Then([&] {
        ASSERT_TRUE(about.Loaded());
        EXPECT_FALSE(System().TakesInput(program_->ZoneEuro().Window()));
        EXPECT_EQ(about.lblTitle().Caption(), "Convalis");
        EXPECT_EQ(about.lblVersion().Caption(), "1.1.1");
        EXPECT_EQ(about.lblMarquee().Caption(), std::string("Convertisseur Francs-Euros   -   ") +
                                                    product::kLegalCopyright + "   -   " + user);
        EXPECT_EQ(about.lblWeb().Caption(), product::kWebSite);
        EXPECT_EQ(about.lblMail().Caption(), product::kSupportMail);
    });
    Queue({"Escape"});
    Then([&] {
        EXPECT_FALSE(about.Loaded());
        EXPECT_TRUE(program_->ZoneEuro().Loaded()) << "Escape closed only the about box";
    });
    Run();
}

}  // namespace
}  // namespace program_tests
