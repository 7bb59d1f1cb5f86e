// The options dialog and the about box in what the offscreen platform alone
// records: the row's flicker, a control that fails, the marquee's steps on
// virtual time and the shell's launches. The rest runs on both platforms:
// tests/program/DialogsTest.cpp.
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
    offscreen::OffscreenLabel& PaidDisplay() {
        return dynamic_cast<offscreen::OffscreenLabel&>(
            *Platform().FindWindow("frmConvalis")->FindControl("lblP", 1));
    }
    int RowFlicker() { return PaidDisplay().VisibilityChanges(); }
};

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

class AboutBox : public testing_support::ProgramFixture {
protected:
    dialogs::frmAbout& About() { return program_->About(); }
};

TEST_F(AboutBox, TheLineNamesTheRegisteredUserStepsLeftAndStartsAgainAtTheRight) {
    Start();
    Platform().Shell().SetRegistryString(platform::RegistryRoot::kUsers, dialogs::kUserInfoKey,
                                         dialogs::kUserNameValue, "Jeanne Caisse");
    QueueClick("imaCommand", 3);
    Then([&] {
        const platform::Label& line = About().lblMarquee();
        EXPECT_EQ(line.Caption(), std::string("Convertisseur Francs-Euros   -   ") +
                                      product::kLegalCopyright + "   -   Jeanne Caisse");
        const int right = About().Window().ScaleWidth();
        const int width = line.Placement().width;
        ASSERT_GT(width, 0);
        int expected = right;
        for (int tick = 0; tick < 300; ++tick) {
            expected -= 50;
            if (360 - width > expected)
                expected = right;
            Platform().PostTick(1);
            Platform().RunPending();
            ASSERT_EQ(line.Placement().left, expected) << "after tick " << tick + 1;
        }
        EXPECT_LT(right - 300 * 50, 360 - width) << "the line wrapped at least once";
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
    Then([&] {
        ASSERT_TRUE(About().Loaded());
        // A screen reader names them links (the buttons' roles: end to end).
        for (const char* link : {"lblWeb", "lblMail"}) {
            const platform::Control* label =
                Platform().FindWindow("frmAbout")->FindControl(link, -1);
            EXPECT_EQ(dynamic_cast<const offscreen::OffscreenLabel&>(*label).AccessibleRole(),
                      platform::AccessibleRole::kLink);
        }
    });
    QueueClick("lblWeb");
    QueueClick("lblMail");
    QueueClick("lblTitle");
    QueueClick("lblVersion");
    Queue({"A", "Tab", "Space", "F4"});  // keys that are no way out
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

}  // namespace
