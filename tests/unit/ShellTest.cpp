// The notification-area icon, the Startup shortcut and the shell launcher,
// on the offscreen shell's records.
#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "shell/StartupShortcut.h"
#include "shell/TrayIcon.h"
#include "shell/mShellExecute.h"

namespace {

class TrayIcon : public testing_support::ProgramFixture {
protected:
    offscreen::OffscreenShell& Shell() { return Platform().Shell(); }
    void DoubleClickIcon() {
        Platform().PostIconDoubleClick();
        Run();
    }
    bool Visible() { return Main().Window().Visible(); }
    void Tick(int milliseconds) {
        Platform().PostTick(milliseconds);
        Run();
    }
    void RestartShell(bool refusesIcons) {
        Platform().PostShellRestart(refusesIcons);
        Run();
    }
};

TEST_F(TrayIcon, ShowsTheWindowsCaptionWhileTheWindowIsLoaded) {
    Start();
    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].window, Main().Window().Handle());
    EXPECT_EQ(Shell().Icons()[0].tip, "Convalis");
    Press({"Alt+F4"});
    EXPECT_TRUE(Shell().Icons().empty());
    EXPECT_EQ(Shell().Journal(), (std::vector<std::string>{"add", "remove"}));
}

TEST_F(TrayIcon, HideLeavesTheIconAndADoubleClickBringsTheWindowBackAsItWas) {
    Start(testing_support::kBeforeChangeover);
    Press({"Tab"});
    Type("12,5");
    platform::Bounds before = Main().Window().Placement();
    Press({"Alt+R"});
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(Main().Loaded());
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(Platform().ActiveWindow(), Platform().FindWindow("frmConvalis"));
    EXPECT_EQ(Main().Window().Placement().left, before.left);
    EXPECT_EQ(Main().ActiveField(), 1);
    EXPECT_TRUE(Main().EntryInProgress());
    Type("0");
    EXPECT_EQ(Main().DisplayText(1), "12,50");
    // The button hides too; a double click on a shown window changes nothing.
    Click("imaCommand", 1);
    EXPECT_FALSE(Visible());
    DoubleClickIcon();
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
}

TEST_F(TrayIcon, AWindowWhoseIconTheRestartedShellRefusesStaysOnScreen) {
    Start();
    RestartShell(true);
    EXPECT_TRUE(Shell().Icons().empty());
    EXPECT_FALSE(Main().HasTrayIcon());
    Press({"Alt+R"});
    EXPECT_TRUE(Visible());
    Click("imaCommand", 1);
    EXPECT_TRUE(Visible());

    // A later restart that takes the icon lets the window hide again.
    RestartShell(false);
    EXPECT_TRUE(Main().HasTrayIcon());
    Press({"Alt+R"});
    EXPECT_FALSE(Visible());

    // Hidden when the icon is refused: the window comes back on screen.
    RestartShell(true);
    EXPECT_FALSE(Main().HasTrayIcon());
    EXPECT_TRUE(Visible());
}

// The shell can go, or come back, without a word: the window asks it
// whether the icon is there before it hides.
TEST_F(TrayIcon, AWindowHidesOnlyWhileTheShellStillHasItsIcon) {
    Start();
    Shell().ForgetIcons();
    Shell().SetRefuseIcons(true);
    Press({"Alt+R"});
    EXPECT_TRUE(Visible()) << "hidden with no icon to bring it back";
    Click("imaCommand", 1);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(Main().HasTrayIcon());

    // A shell back without a word takes the icon at the next hide.
    Shell().SetRefuseIcons(false);
    Press({"Alt+R"});
    EXPECT_FALSE(Visible());
    EXPECT_EQ(Shell().Icons().size(), 1u);
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
}

// A shell can lose the icon without a word to the window (Wine's restarted
// shell says nothing): a hidden window looks after its icon.
TEST_F(TrayIcon, AHiddenWindowAddsItsIconAgainWhenTheShellLostItSilently) {
    Start();
    Press({"Alt+R"});
    Shell().ForgetIcons();
    Tick(shell::TrayIcon::kWatchInterval - 1);
    EXPECT_TRUE(Shell().Icons().empty());
    Tick(1);
    EXPECT_EQ(Shell().Icons().size(), 1u);
    EXPECT_FALSE(Visible());
    DoubleClickIcon();
    EXPECT_TRUE(Visible());

    // A shown window leaves the shell alone, and so does one hidden again
    // while its icon is there but to ask.
    const std::size_t calls = Shell().Journal().size();
    Tick(10 * shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls);
    Press({"Alt+R"});
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls + 2) << "one question at the hide, one a tick";
    EXPECT_FALSE(Visible());
}

TEST_F(TrayIcon, AHiddenWindowComesBackOnScreenWhenTheShellGoesSilently) {
    offscreen::ProgramFacts hidden;
    hidden.commandLine = "/Hidden";
    Start(testing_support::kAfterChangeover, hidden);
    Shell().ForgetIcons();
    Shell().SetRefuseIcons(true);
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(Main().HasTrayIcon());
    // Shown, it asks no more.
    const std::size_t calls = Shell().Journal().size();
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls);
}

TEST_F(TrayIcon, WithoutAnIconTheWindowNeverHides) {
    offscreen::ProgramFacts hidden;
    hidden.commandLine = "/Hidden";
    Start(testing_support::kAfterChangeover, hidden);
    End();
    platform_ = std::make_unique<offscreen::OffscreenPlatform>(hidden);
    Platform().Shell().SetRefuseIcons(true);
    program_ = std::make_unique<app::Program>(*platform_);
    app::Main(*program_);
    EXPECT_TRUE(Visible()) << "a hidden start without an icon has no way back";
    Press({"Alt+R"});
    EXPECT_TRUE(Visible());
}

// The presence of "Convalis.lnk" in the Startup folder is the setting.
class StartupShortcut : public testing_support::ProgramFixture {};

TEST_F(StartupShortcut, StartsTheProgramHiddenAndMinimisedAndIsTheSetting) {
    offscreen::ProgramFacts facts;
    facts.path = "C:\\Caisse";
    facts.files.startupFolder.reset();
    Start(testing_support::kAfterChangeover, facts);
    offscreen::OffscreenPlatform& platform = Platform();
    platform::Window* owner = &Main().Window();
    offscreen::UserFiles& files = platform.Shell().Files();
    EXPECT_EQ(shell::StartupShortcutPresent(platform, *owner), 0) << "no Startup folder";
    EXPECT_FALSE(shell::WriteOrDeleteStartupShortcut(platform, *owner, 1));
    EXPECT_FALSE(shell::WriteOrDeleteStartupShortcut(platform, *owner, 0));
    EXPECT_TRUE(files.shortcuts.empty()) << "nothing is written without the folder";

    files.startupFolder = "C:\\D\xC3\xA9marrage";
    const std::string file = "C:\\D\xC3\xA9marrage\\Convalis.lnk";
    files.shortcuts[file] = std::nullopt;
    EXPECT_EQ(shell::StartupShortcutPresent(platform, *owner), 0) << "unreadable counts as absent";
    shell::WriteOrDeleteStartupShortcut(platform, *owner, 1);
    ASSERT_TRUE(files.shortcuts[file].has_value());
    const platform::Shortcut& written = *files.shortcuts[file];
    EXPECT_EQ(written.target, "C:\\Caisse\\Convalis.exe");
    EXPECT_EQ(written.iconFile, "C:\\Caisse\\Convalis.exe");
    EXPECT_EQ(written.iconIndex, 0);
    EXPECT_EQ(written.arguments, "/Hidden");
    EXPECT_EQ(written.show, platform::ShowCommand::kMinimizedNoActivate);
    EXPECT_EQ(written.workingDirectory + written.description, "");
    EXPECT_EQ(written.hotKeyCode, 0);
    EXPECT_EQ(shell::StartupShortcutPresent(platform, *owner), 1);

    EXPECT_TRUE(shell::WriteOrDeleteStartupShortcut(platform, *owner, 0));
    EXPECT_TRUE(files.shortcuts.empty());
    EXPECT_EQ(shell::StartupShortcutPresent(platform, *owner), 0);
    EXPECT_TRUE(shell::WriteOrDeleteStartupShortcut(platform, *owner, 0)) << "silent";
}

// A failure explains itself in French in a message titled "Convalis".
TEST(ShellLaunch, ExplainsAFailureOnlyWhenAsked) {
    offscreen::OffscreenPlatform platform;
    platform.Shell().SetLaunchResult(platform::LaunchResult::kFileNotFound);
    EXPECT_EQ(shell::ShellLaunch(platform, "a.xyz", "open", platform::ShowCommand::kDefault, true),
              platform::LaunchResult::kFileNotFound);
    ASSERT_EQ(platform.ShownMessages().size(), 1u);
    EXPECT_EQ(platform.ShownMessages()[0].text, "Fichier non trouvé.");
    EXPECT_EQ(platform.ShownMessages()[0].title, "Convalis");

    platform.Shell().SetLaunchResult(platform::LaunchResult::kNoAssociation);
    shell::ShellLaunch(platform, "mailto: a@b", "open", platform::ShowCommand::kDefault, false);
    platform.Shell().SetLaunchResult(platform::LaunchResult::kDone);
    shell::ShellLaunch(platform, "x", "open", platform::ShowCommand::kDefault, true);
    EXPECT_EQ(platform.ShownMessages().size(), 1u) << "a success or an unasked failure spoke";
    ASSERT_EQ(platform.Shell().Launches().size(), 3u);
    const offscreen::LaunchRecord& launch = platform.Shell().Launches()[1];
    EXPECT_EQ(launch.address, "mailto: a@b");
    EXPECT_EQ(launch.verb, "open");
    EXPECT_EQ(launch.show, platform::ShowCommand::kDefault);
}

}  // namespace
