// The notification-area icon, shortcut files, the Startup shortcut and the
// shell launcher, on the offscreen shell.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ProgramFixture.h"
#include "TemporaryFolder.h"
#include "shell/StartupShortcut.h"
#include "shell/TrayIcon.h"
#include "shell/cShellLink.h"
#include "shell/mShellExecute.h"

namespace {

namespace fs = std::filesystem;
using platform::wm::kLButtonDblClk;

using testing_support::TemporaryFolder;

class TrayIcon : public testing_support::ProgramFixture {
protected:
    offscreen::OffscreenShell& Shell() { return Platform().Shell(); }
    void IconEvent(unsigned message) {
        Platform().PostIconEvent(61860, message);
        Run();
    }
    bool Visible() { return Main().Window().Visible(); }
    void Tick(int milliseconds) {
        Platform().PostTick(milliseconds);
        Run();
    }
    // The shell restarts: its icons are gone, and its task bar tells every
    // window that it is back.
    void RestartShell(bool refusesIcons) {
        Shell().ForgetIcons();
        Shell().SetRefuseIcons(refusesIcons);
        unsigned taskbarCreated = Shell().RegisterWindowMessage("TaskbarCreated");
        Shell().SendMessage(Main().Window().Handle(), taskbarCreated, 0, 0);
    }
};

TEST_F(TrayIcon, TheRecordNamesTheWindowItsIconAndItsCaption) {
    Start();
    ASSERT_EQ(Shell().Icons().count(61860), 1u);
    const platform::NotifyIconData& icon = Shell().Icons().at(61860);
    EXPECT_EQ(icon.hWnd, Main().Window().Handle());
    EXPECT_EQ(icon.uFlags, 7u);
    EXPECT_EQ(icon.uCallbackMessage, 1066u);
    EXPECT_EQ(icon.szTip, "Convalis");
    EXPECT_NE(icon.hIcon, 0u);
    EXPECT_EQ(Shell().Journal(), (std::vector<std::string>{"add 61860", "hook"}));
    Press({"Alt+F4"});
    EXPECT_TRUE(Shell().Icons().empty());
    EXPECT_EQ(Shell().Journal(),
              (std::vector<std::string>{"add 61860", "hook", "unhook", "delete 61860"}));
}

TEST_F(TrayIcon, HideLeavesTheIconAndADoubleClickBringsTheWindowBackAsItWas) {
    Start(testing_support::kBeforeChangeover);
    Press({"Tab"});
    Type("12,5");
    platform::Bounds before = Main().Window().Placement();
    Press({"Alt+R"});
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(Main().Loaded());
    // Single clicks and the right button do nothing.
    IconEvent(platform::wm::kLButtonDown);
    IconEvent(platform::wm::kLButtonUp);
    IconEvent(platform::wm::kRButtonUp);
    EXPECT_FALSE(Visible());
    IconEvent(kLButtonDblClk);
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
    IconEvent(kLButtonDblClk);
    IconEvent(kLButtonDblClk);
    EXPECT_TRUE(Visible());
}

TEST_F(TrayIcon, AHiddenStartShowsOnlyTheIcon) {
    offscreen::ProgramFacts hidden;
    hidden.commandLine = "/Hidden";
    Start(testing_support::kAfterChangeover, hidden);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(Shell().Icons().size(), 1u);
    IconEvent(kLButtonDblClk);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(Displays(), (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_EQ(Main().ActiveField(), 0);
}

TEST_F(TrayIcon, TheIconComesBackWhenTheShellRestarts) {
    Start();
    RestartShell(false);
    EXPECT_EQ(Shell().Icons().count(61860), 1u);
    Press({"Alt+R"});
    IconEvent(kLButtonDblClk);
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

// The shell can go, or come back, without the task bar's message: the
// window asks it whether the icon is there before it hides.
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
    EXPECT_EQ(Shell().Icons().count(61860), 1u);
    IconEvent(kLButtonDblClk);
    EXPECT_TRUE(Visible());
}

// A shell can lose the icon without a word to the window (Wine's restarted
// shell sends no "TaskbarCreated"): a hidden window looks after its icon.
TEST_F(TrayIcon, AHiddenWindowAddsItsIconAgainWhenTheShellLostItSilently) {
    Start();
    Press({"Alt+R"});
    Shell().ForgetIcons();
    Tick(shell::TrayIcon::kWatchInterval - 1);
    EXPECT_TRUE(Shell().Icons().empty());
    Tick(1);
    EXPECT_EQ(Shell().Icons().count(61860), 1u);
    EXPECT_FALSE(Visible());
    IconEvent(kLButtonDblClk);
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

// Shortcut files, read and written through the offscreen shell.
class ShortcutFiles : public ::testing::Test {
protected:
    ShortcutFiles() : platform_(Facts()) {}
    offscreen::ProgramFacts Facts() {
        offscreen::ProgramFacts facts;
        facts.profile = profile_.Path().string();
        facts.path = "C:\\Caisse";
        return facts;
    }
    std::string LinkPath(const std::string& name) { return (profile_.Path() / name).string(); }
    shell::cShellLink NewLink() { return shell::cShellLink(platform_.ShellServices()); }
    std::vector<unsigned char> Bytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TemporaryFolder profile_;
    offscreen::OffscreenPlatform platform_;
};

TEST_F(ShortcutFiles, EveryPropertyComesBackAsWritten) {
    shell::cShellLink link = NewLink();
    link.SetLnkFile(LinkPath("Caisse.lnk"));
    link.SetExeFile("C:\\Program Files\\Caisse\\Convalis.exe");
    link.SetDescription("Convertisseur Francs-Euros, caisse n° 2");
    link.SetHotKey(0x0641);  // Shift+A
    link.SetWorkDir("C:\\Caisse");
    link.SetExeArgs("/Hidden");
    link.SetIconFile("C:\\Program Files\\Caisse\\Convalis.exe");
    link.SetIconIdx(3);
    link.SetStartShow(7);
    ASSERT_TRUE(link.CreateLink());

    shell::cShellLink back = NewLink();
    back.SetLnkFile(LinkPath("Caisse.lnk"));
    ASSERT_TRUE(back.GetLinkInfo());
    EXPECT_EQ(back.ExeFile(), link.ExeFile());
    EXPECT_EQ(back.Description(), link.Description());
    EXPECT_EQ(back.HotKey(), 0x0641);
    EXPECT_EQ(back.WorkDir(), link.WorkDir());
    EXPECT_EQ(back.ExeArgs(), "/Hidden");
    EXPECT_EQ(back.IconFile(), link.IconFile());
    EXPECT_EQ(back.IconIdx(), 3);
    EXPECT_EQ(back.StartShow(), 7);
}

TEST_F(ShortcutFiles, TextsWithAccentsComeBackWholeUpToTheBufferAndCutBetweenCharacters) {
    // The reader's buffers hold 255 characters with the closing NUL.
    const std::string e = "\xC3\xA9";             // é: two bytes, one character
    const std::string clef = "\xF0\x9D\x84\x9E";  // two UTF-16 code units
    std::string fits;
    for (int i = 0; i < 127; ++i)
        fits += e + "a";  // 254 characters, 381 bytes
    shell::cShellLink link = NewLink();
    link.SetLnkFile(LinkPath("Accents.lnk"));
    link.SetExeFile("C:\\" + fits);
    link.SetDescription(fits + e);
    link.SetExeArgs(std::string(253, 'a') + clef);
    link.SetWorkDir(std::string(254, 'a') + clef);
    ASSERT_TRUE(link.CreateLink());

    shell::cShellLink back = NewLink();
    back.SetLnkFile(LinkPath("Accents.lnk"));
    ASSERT_TRUE(back.GetLinkInfo());
    // "C:\" and 251 characters of the rest.
    EXPECT_EQ(back.ExeFile(), "C:\\" + fits.substr(0, 125 * 3 + 2));
    EXPECT_EQ(back.Description(), fits);
    // Half a surrogate pair is no character: it reads as U+FFFD.
    EXPECT_EQ(back.ExeArgs(), std::string(253, 'a') + "\xEF\xBF\xBD");
    EXPECT_EQ(back.WorkDir(), std::string(254, 'a'));
}

TEST_F(ShortcutFiles, OptionalFieldsLeftEmptyAreNotWritten) {
    shell::cShellLink link = NewLink();
    link.SetLnkFile(LinkPath("Bare.lnk"));
    link.SetExeFile("C:\\Convalis.exe");
    link.SetStartShow(3);
    ASSERT_TRUE(link.CreateLink());
    std::vector<unsigned char> bytes = Bytes(LinkPath("Bare.lnk"));
    ASSERT_GE(bytes.size(), 0x4Cu);
    // No name, working folder, arguments nor icon among the link flags.
    EXPECT_EQ(bytes[0x14] & 0x74, 0);
    EXPECT_EQ(bytes[0x3C], 3);  // the show command is written all the same

    shell::cShellLink back = NewLink();
    back.SetLnkFile(LinkPath("Bare.lnk"));
    ASSERT_TRUE(back.GetLinkInfo());
    EXPECT_EQ(back.ExeFile(), "C:\\Convalis.exe");
    EXPECT_EQ(back.WorkDir(), "");
    EXPECT_EQ(back.ExeArgs(), "");
    EXPECT_EQ(back.IconFile(), "");
    EXPECT_EQ(back.StartShow(), 3);
}

TEST_F(ShortcutFiles, CreateLinkNeedsBothPaths) {
    shell::cShellLink noTarget = NewLink();
    noTarget.SetLnkFile(LinkPath("None.lnk"));
    EXPECT_FALSE(noTarget.CreateLink());
    shell::cShellLink noFile = NewLink();
    noFile.SetExeFile("C:\\Convalis.exe");
    EXPECT_FALSE(noFile.CreateLink());
    EXPECT_TRUE(fs::is_empty(profile_.Path()));
}

TEST_F(ShortcutFiles, AMissingOrBrokenFileReadsFalseAndChangesNothing) {
    shell::cShellLink link = NewLink();
    link.SetLnkFile(LinkPath("Missing.lnk"));
    link.SetExeArgs("kept");
    link.SetIconIdx(9);
    EXPECT_FALSE(link.GetLinkInfo());
    EXPECT_EQ(link.ExeArgs(), "kept");
    EXPECT_EQ(link.IconIdx(), 9);
    EXPECT_EQ(link.ExeFile(), "");

    std::ofstream(LinkPath("Broken.lnk")) << "not a shortcut";
    link.SetLnkFile(LinkPath("Broken.lnk"));
    EXPECT_FALSE(link.GetLinkInfo());
    EXPECT_EQ(link.ExeArgs(), "kept");
}

TEST_F(ShortcutFiles, TheStartupShortcutStartsTheProgramHiddenAndMinimised) {
    EXPECT_EQ(shell::StartupShortcutPresent(platform_, 0), 0) << "no Startup folder yet";
    shell::WriteOrDeleteStartupShortcut(platform_, 0, 1);
    EXPECT_TRUE(fs::is_empty(profile_.Path())) << "nothing is written without the folder";

    fs::create_directories(profile_.Path() / "Startup");
    EXPECT_EQ(shell::StartupShortcutPresent(platform_, 0), 0);
    shell::WriteOrDeleteStartupShortcut(platform_, 0, 1);
    fs::path file = profile_.Path() / "Startup" / "Convalis.lnk";
    ASSERT_TRUE(fs::exists(file));
    EXPECT_EQ(shell::StartupShortcutPresent(platform_, 0), 1);
    EXPECT_EQ(Bytes(file).at(0x3C), 7);  // minimised, not activated

    shell::cShellLink link = NewLink();
    link.SetLnkFile(file.string());
    ASSERT_TRUE(link.GetLinkInfo());
    EXPECT_EQ(link.ExeFile(), "C:\\Caisse\\Convalis.exe");
    EXPECT_EQ(link.IconFile(), "C:\\Caisse\\Convalis.exe");
    EXPECT_EQ(link.IconIdx(), 0);
    EXPECT_EQ(link.ExeArgs(), "/Hidden");
    EXPECT_EQ(link.WorkDir(), "");
    EXPECT_EQ(link.Description(), "");

    shell::WriteOrDeleteStartupShortcut(platform_, 0, 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(shell::StartupShortcutPresent(platform_, 0), 0);
    shell::WriteOrDeleteStartupShortcut(platform_, 0, 0);  // deleting nothing is silent
}

TEST_F(ShortcutFiles, SpecialFoldersMayHaveLongPaths) {
    // A Startup path of 258 characters: longer than 255, within the shell's
    // limit of 259.
    std::string base = profile_.Path().string();
    std::size_t rest = 258 - base.size() - std::string("/Startup").size() - 2;
    std::string longProfile =
        (profile_.Path() / std::string(rest / 2, 'a') / std::string(rest - rest / 2, 'b')).string();
    fs::create_directories(fs::path(longProfile) / "Startup");
    offscreen::ProgramFacts facts;
    facts.profile = longProfile;
    offscreen::OffscreenPlatform platform(facts);
    std::string folder =
        shell::SpecialFolderPath(platform.ShellServices(), 0, shell::kStartupFolder);
    EXPECT_EQ(folder.size(), 258u);
    EXPECT_EQ(folder, longProfile + "/Startup");
}

// A failure explains itself in French in a message titled "Convalis".
TEST(ShellLaunch, ExplainsAFailureWhenAsked) {
    offscreen::OffscreenPlatform platform;
    platform.Shell().SetLaunchResult(2);
    EXPECT_EQ(shell::ShellLaunch(platform, "a.xyz", "open", "", "", 10, 0, true), 2);
    ASSERT_EQ(platform.ShownMessages().size(), 1u);
    EXPECT_EQ(platform.ShownMessages()[0].text, "Fichier non trouvé.");
    EXPECT_EQ(platform.ShownMessages()[0].title, "Convalis");
}

TEST(ShellLaunch, IsSilentOnSuccessOrWhenNotAsked) {
    offscreen::OffscreenPlatform platform;
    platform.Shell().SetLaunchResult(33);
    EXPECT_EQ(shell::ShellLaunch(platform, "x", "open", "", "", 10, 0, true), 33);
    platform.Shell().SetLaunchResult(31);
    EXPECT_EQ(shell::ShellLaunch(platform, "mailto: a@b", "open", "", "", 10, 0, false), 31);
    EXPECT_TRUE(platform.ShownMessages().empty());
    ASSERT_EQ(platform.Shell().Launches().size(), 2u);
    const offscreen::Launch& launch = platform.Shell().Launches()[1];
    EXPECT_EQ(launch.file, "mailto: a@b");
    EXPECT_EQ(launch.operation, "open");
    EXPECT_EQ(launch.showCommand, 10);
}

}  // namespace
