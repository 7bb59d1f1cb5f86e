// The options dialog and the about box, opened modal from the converter
// windows; checks run inside their modal loops.
#include <gtest/gtest.h>

#include "ProductInfo.h"
#include "ProgramFixture.h"
#include "shell/StartupShortcut.h"

namespace {

class Dialogs : public testing_support::ProgramFixture {
protected:
    // The Startup shortcut's record; none when there is none.
    offscreen::ShortcutFile* Shortcut() {
        offscreen::UserFiles& files = Platform().Shell().Files();
        auto found = files.shortcuts.find(*files.startupFolder + "\\" + shell::kShortcutName);
        return found == files.shortcuts.end() ? nullptr : &found->second;
    }
    dialogs::frmOptions& Options() { return program_->Options(); }
    dialogs::frmAbout& About() { return program_->About(); }
    offscreen::OffscreenLabel& PaidDisplay() {
        return dynamic_cast<offscreen::OffscreenLabel&>(
            *Platform().FindWindow("frmConvalis")->FindControl("lblP", 1));
    }
    int RowFlicker() { return PaidDisplay().VisibilityChanges(); }
};

TEST_F(Dialogs, OptionsFinishTheEntryThenShowTheCurrentState) {
    Start(testing_support::kBeforeChangeover);
    Type("100");
    Queue({"Alt+O"});
    Then([&] {
        ASSERT_TRUE(Options().Loaded());
        EXPECT_EQ(Main().DisplayText(2), "15,24");
        EXPECT_FALSE(Main().EntryInProgress());
        EXPECT_EQ(Options().chkDémarrage().Value(), 0);
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
        EXPECT_EQ(Options().Window().Tag(), "");
        EXPECT_FALSE(Platform().FindWindow("frmConvalis")->Enabled());
    });
    Run();
    EXPECT_FALSE(Options().Loaded()) << "the dialog is unloaded when it closes";

    // A shortcut placed there by other means shows as checked.
    Main().ShowChangeRow(false);
    Queue({"Alt+O", "Enter"});  // writes nothing: the boxes are as loaded
    Run();
    EXPECT_FALSE(Shortcut());
}

TEST_F(Dialogs, EveryWayOfCancellingChangesNothing) {
    Start(testing_support::kAfterChangeover);
    const std::vector<std::function<void()>> cancels = {
        [&] { QueueClick("lblAction", 1); },
        [&] { Queue({"Escape"}); },
        [&] { Queue({"Alt+F4"}); },
        [&] { QueueClick("imaCommand"); },
    };
    for (const auto& cancel : cancels) {
        Queue({"Alt+O"});
        QueueClick("chkAppoint");
        QueueClick("chkDémarrage");
        Then([&] { ASSERT_EQ(Options().chkAppoint().Value(), 1); });
        cancel();
        Run();
        EXPECT_FALSE(Options().Loaded());
        EXPECT_FALSE(Main().ChangeRowShown());
        EXPECT_FALSE(Shortcut());
        EXPECT_TRUE(Platform().FindWindow("frmConvalis")->Enabled());
    }
}

TEST_F(Dialogs, OkAppliesTheChoicesAfterTheDialogCloses) {
    Start(testing_support::kAfterChangeover);
    Queue({"Alt+O"});
    QueueClick("chkAppoint");
    QueueClick("chkDémarrage");
    QueueClick("lblAction", 0);
    Run();
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_TRUE(Main().Display(1).Visible());
    ASSERT_TRUE(Shortcut());

    // Reopened: both checked. Untick both, confirm with Enter while a check
    // box was the last thing used.
    Press({"Tab"});
    ASSERT_EQ(Main().ActiveField(), 1);
    Queue({"Alt+O"});
    Then([&] {
        EXPECT_EQ(Options().chkDémarrage().Value(), 1);
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
    });
    QueueClick("chkAppoint");
    QueueClick("chkDémarrage");
    Queue({"Enter"});
    Run();
    EXPECT_FALSE(Main().ChangeRowShown());
    EXPECT_FALSE(Shortcut());
    EXPECT_EQ(Main().ActiveField(), 0) << "hiding the row moves the focus off the payment";
}

TEST_F(Dialogs, OkWithoutChangesLeavesTheRowAloneButRewritesTheShortcut) {
    Start(testing_support::kBeforeChangeover);
    Queue({"Alt+O"});
    QueueClick("chkDémarrage");
    Queue({"Enter"});
    Run();
    ASSERT_TRUE(Shortcut());
    // The program has moved since: the shortcut points elsewhere.
    (*Shortcut())->target = "D:\\Ancien\\Convalis.exe";

    int flicker = RowFlicker();
    Queue({"Alt+O"});
    Then([&] { EXPECT_EQ(Options().chkDémarrage().Value(), 1); });
    QueueClick("lblAction", 0);
    Run();
    EXPECT_EQ(RowFlicker(), flicker) << "the row was shown and hidden again";
    EXPECT_TRUE(Main().ChangeRowShown());
    EXPECT_EQ((*Shortcut())->target, "C:\\Program Files\\Convalis\\Convalis.exe");
}

TEST_F(Dialogs, TheDialogIsUnloadedAlsoWhenApplyingTheRowFails) {
    Start(testing_support::kBeforeChangeover);
    PaidDisplay().SetBroken(true);
    Queue({"Alt+O"});
    QueueClick("chkAppoint");
    QueueClick("chkDémarrage");
    QueueClick("lblAction", 0);
    Run();
    EXPECT_EQ(Platform().TakeHandlerErrors().size(), 1u) << "hiding the row failed";
    EXPECT_FALSE(Options().Loaded());
    EXPECT_TRUE(Shortcut()) << "written before the row failed";
    EXPECT_TRUE(PaidDisplay().Visible());

    // The next opening starts fresh: nothing confirmed yet.
    Queue({"Alt+O"});
    Then([&] { EXPECT_EQ(Options().Window().Tag(), ""); });
    Queue({"Escape"});
    Run();
    EXPECT_FALSE(Options().Loaded());

    // Once the shortcut has been deleted, the failure is ignored.
    Queue({"Alt+O"});
    QueueClick("chkAppoint");
    QueueClick("chkDémarrage");
    QueueClick("lblAction", 0);
    Run();
    EXPECT_TRUE(Platform().TakeHandlerErrors().empty());
    EXPECT_FALSE(Options().Loaded());
    EXPECT_FALSE(Shortcut());
    EXPECT_TRUE(PaidDisplay().Visible());
}

TEST_F(Dialogs, OptionsWorkFromTheKeyboardAlone) {
    Start(testing_support::kAfterChangeover);
    const auto focusIs = [&](const std::string& box) {
        Then([&, box] {
            const platform::Control* focus = Platform().FindWindow("frmOptions")->FocusedControl();
            ASSERT_NE(focus, nullptr);
            EXPECT_EQ(focus->Name(), box);
        });
    };
    Queue({"Alt+O"});
    focusIs("chkDémarrage");
    Queue({"Space"});
    Then([&] { EXPECT_EQ(Options().chkDémarrage().Value(), 1); });
    Queue({"Tab"});
    focusIs("chkAppoint");
    Queue({"Tab"});
    focusIs("chkDémarrage");  // round from the last box to the first
    Queue({"Shift+Tab"});
    focusIs("chkAppoint");
    Queue({"Space", "Space", "Space"});
    Then([&] {
        EXPECT_EQ(Options().chkAppoint().Value(), 1);
        EXPECT_EQ(Options().chkDémarrage().Value(), 1) << "Space ticked the box without the focus";
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

TEST_F(Dialogs, AClickedBoxTakesTheFocus) {
    Start(testing_support::kAfterChangeover);
    Queue({"Alt+O"});
    Then([&] {
        QueueLeftButtonDrag({CentreOf("frmOptions", "chkAppoint")});
        Then([&] {
            EXPECT_EQ(Options().chkAppoint().Value(), 1);
            EXPECT_EQ(Platform().FindWindow("frmOptions")->FocusedControl(),
                      &Options().chkAppoint());
        });
        Queue({"Space", "Escape"});
    });
    Run();
    EXPECT_FALSE(Main().ChangeRowShown());
}

// A press on a control and a release away from it: no click, whatever the
// control. Moving back before the release makes it one again. (Checks queued
// from inside the modal loop run after the input queued before them.)
TEST_F(Dialogs, OptionsControlsActOnlyOnAReleaseOverThem) {
    Start(testing_support::kAfterChangeover);
    const platform::Point away{5, 5};
    Queue({"Alt+O"});
    Then([&] {
        for (const auto& [name, index] : std::vector<std::pair<std::string, int>>{
                 {"lblAction", 0}, {"lblAction", 1}, {"imaCommand", -1}, {"chkAppoint", -1}}) {
            QueueLeftButtonDrag({CentreOf("frmOptions", name, index), away});
        }
        // A press elsewhere released over "OK" is no click on it either.
        QueueLeftButtonDrag({away, CentreOf("frmOptions", "lblAction", 0)});
        Then([&] {
            ASSERT_TRUE(Options().Loaded()) << "the dialog closed";
            EXPECT_EQ(Options().chkAppoint().Value(), 0);
            QueueClick("chkAppoint");
            const platform::Point ok = CentreOf("frmOptions", "lblAction", 0);
            QueueLeftButtonDrag({ok, away, ok});
        });
    });
    Run();
    EXPECT_FALSE(Options().Loaded());
    EXPECT_TRUE(Main().ChangeRowShown()) << "the dialog was not confirmed";
}

class AboutBox : public testing_support::ProgramFixture {
protected:
    dialogs::frmAbout& About() { return program_->About(); }
    static std::string Marquee(const std::string& user) {
        return std::string("Convertisseur Francs-Euros   -   ") + product::kLegalCopyright +
               "   -   " + user;
    }
};

TEST_F(AboutBox, ShowsNameVersionAndTheScrollingLine) {
    Start();
    Queue({"Alt+Z"});
    QueueClick("imaCommand", 1);  // the euro-zone window's about button
    Then([&] {
        ASSERT_TRUE(About().Loaded());
        EXPECT_FALSE(Platform().FindWindow("frmZoneEuro")->Enabled());
        EXPECT_EQ(About().lblTitle().Caption(), "Convalis");
        EXPECT_EQ(About().lblVersion().Caption(), "1.1.1");
        EXPECT_EQ(About().lblMarquee().Caption(), Marquee(""));
        EXPECT_EQ(About().lblMarquee().Placement().left, About().Window().ScaleWidth());
    });
    Queue({"Escape"});
    Then([&] {
        EXPECT_FALSE(About().Loaded());
        EXPECT_TRUE(program_->ZoneEuro().Loaded()) << "Escape closed only the about box";
    });
    Run();
}

TEST_F(AboutBox, NamesTheRegisteredUser) {
    Start();
    Platform().Shell().SetRegistryString(platform::RegistryRoot::kUsers, dialogs::kUserInfoKey,
                                         dialogs::kUserNameValue, "Jeanne Caisse");
    QueueClick("imaCommand", 3);
    Then([&] { EXPECT_EQ(About().lblMarquee().Caption(), Marquee("Jeanne Caisse")); });
    Run();
}

TEST_F(AboutBox, TheLineStepsLeftAndStartsAgainAtTheRight) {
    Start();
    QueueClick("imaCommand", 3);
    Then([&] {
        const platform::Label& line = About().lblMarquee();
        const int right = About().Window().ScaleWidth();
        const int width = line.Placement().width;
        ASSERT_GT(width, 0);
        int expected = right;
        for (int tick = 0; tick < 200; ++tick) {
            expected -= 50;
            if (360 - width > expected)
                expected = right;
            Platform().PostTick(1);
            Platform().RunPending();
            ASSERT_EQ(line.Placement().left, expected) << "after tick " << tick + 1;
        }
        EXPECT_LT(right - 200 * 50, 360 - width) << "the line wrapped at least once";
        Platform().PostKey(platform::vk::kReturn);
    });
    Run();
    EXPECT_FALSE(About().Loaded());
}

TEST_F(AboutBox, LinksOpenThroughTheShellAndOnlyTheCloseWaysClose) {
    Start();
    // No program for it: silent all the same.
    Platform().Shell().SetLaunchResult(platform::LaunchResult::kNoAssociation);
    QueueClick("imaCommand", 3);
    Then([&] { ASSERT_TRUE(About().Loaded()); });
    QueueClick("lblWeb");
    QueueClick("lblMail");
    QueueClick("lblTitle");
    QueueClick("lblVersion");
    Then([&] {
        EXPECT_TRUE(About().Loaded());
        const auto& launches = Platform().Shell().Launches();
        ASSERT_EQ(launches.size(), 2u);
        EXPECT_EQ(launches[0].address, product::kWebSite);
        EXPECT_EQ(launches[1].address, std::string("mailto: ") + product::kSupportMail);
        for (const offscreen::LaunchRecord& launch : launches) {
            EXPECT_EQ(launch.verb, "open");
            EXPECT_EQ(launch.show, platform::ShowCommand::kDefault);
        }
        EXPECT_TRUE(Platform().ShownMessages().empty());
    });
    Queue({"Alt+F4"});
    Run();
    EXPECT_FALSE(About().Loaded());
    EXPECT_TRUE(Main().Loaded()) << "Alt+F4 closed the about box only";

    QueueClick("imaCommand", 3);
    QueueClick("imaCommand");
    Then([&] { EXPECT_FALSE(About().Loaded()) << "the close button left the box open"; });
    Run();
    EXPECT_FALSE(About().Loaded());
}

TEST_F(AboutBox, ALinkOpensOnlyOnAReleaseOverIt) {
    Start();
    QueueClick("imaCommand", 3);
    Then([&] {
        const platform::Point web = CentreOf("frmAbout", "lblWeb");
        const platform::Point mail = CentreOf("frmAbout", "lblMail");
        QueueLeftButtonDrag({web, {1000, 700}});
        QueueLeftButtonDrag({web, mail});
        QueueLeftButtonDrag({mail, web, mail});
        Then([&] {
            const auto& launches = Platform().Shell().Launches();
            ASSERT_EQ(launches.size(), 1u);
            EXPECT_EQ(launches[0].address, std::string("mailto: ") + product::kSupportMail);
        });
        Queue({"Escape"});
    });
    Run();
    EXPECT_FALSE(About().Loaded());
}

}  // namespace
