// The start-up, the notification-area icon, the Startup shortcut and the
// about box's links, on the offscreen shell's records.
#include "OffscreenProgramTest.h"
#include "ProductInfo.h"
#include "app/mMain.h"
#include "shell/StartupShortcut.h"
#include "shell/TrayIcon.h"

namespace program_tests {
namespace {

class ShellRecords : public OffscreenProgramTest {
protected:
    offscreen::OffscreenShell& Shell() { return Offscreen().Shell(); }
    bool Visible() { return Main().Window().Visible(); }
    void DoubleClickIcon() {
        Offscreen().PostIconDoubleClick();
        Run();
    }
    void Tick(int milliseconds) {
        Offscreen().PostTick(milliseconds);
        Run();
    }
    void RestartShell(bool refusesIcons) {
        Offscreen().PostShellRestart(refusesIcons);
        Run();
    }
    static offscreen::ProgramFacts StartedWith(const std::string& commandLine) {
        offscreen::ProgramFacts facts;
        facts.commandLine = commandLine;
        facts.path = "D:\\";
        return facts;
    }
};

TEST_F(ShellRecords, ASecondInstanceLoadsNothing) {
    offscreen::ProgramFacts facts;
    facts.prevInstance = true;
    offscreen::OffscreenPlatform platform(facts);
    app::Program program(platform);
    app::Main(program);
    EXPECT_TRUE(platform.LoadedWindows().empty());
    EXPECT_EQ(platform.App().HelpFile(), "");
}

// A hidden start shows only the icon, which brings the window back as loaded.
TEST_F(ShellRecords, OnlyTheExactHiddenArgumentHidesAndTheHelpFileIsBesideTheProgram) {
    for (const char* argument : {"", "/hidden", "/Hidden /x", " /Hidden", "/HIDDEN", "/Hidden"}) {
        Start(kAfterChangeover, StartedWith(argument));
        EXPECT_EQ(Visible(), argument != std::string("/Hidden")) << argument;
        EXPECT_EQ(Shell().Icons().size(), 1u);
    }
    EXPECT_EQ(Offscreen().App().HelpFile(), "D:\\Convalis.hlp");
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(Displays(), (std::vector<std::string>{"0", "0", "0", "0"}));
    ExpectActiveField(Main(), converter::frmConvalis::kFields, 0);
}

TEST_F(ShellRecords, TheIconLivesWithTheWindowAndBringsItBackAsItWasHidden) {
    Start(kBeforeChangeover);
    ASSERT_EQ(Shell().Icons().size(), 1u);
    EXPECT_EQ(Shell().Icons()[0].window, Main().Window().Handle());
    EXPECT_EQ(Shell().Icons()[0].tip, "Convalis");
    Press({"Tab"});
    Type("12,5");
    const platform::Bounds before = Main().Window().Placement();
    Press({"Alt+R"});
    EXPECT_FALSE(Visible());
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
    EXPECT_EQ(Offscreen().ActiveWindow(), &Window("frmConvalis"));
    EXPECT_EQ(Main().Window().Placement().left, before.left);
    Type("0");
    EXPECT_EQ(Main().DisplayText(1), "12,50") << "the entry did not go on";
    // The button hides too; a double click on a shown window changes nothing.
    Click("Réduire Alt+R");
    EXPECT_FALSE(Visible());
    DoubleClickIcon();
    DoubleClickIcon();
    EXPECT_TRUE(Visible());
}

// A hidden window looks after its icon: added again when the shell lost it,
// the window shown when it cannot be; a shown window leaves the shell alone,
// and does not hide while the shell refuses its icon.
TEST_F(ShellRecords, AHiddenWindowWatchesItsIcon) {
    Start();
    Press({"Alt+R"});
    Shell().ForgetIcons();
    Tick(shell::TrayIcon::kWatchInterval - 1);
    EXPECT_TRUE(Shell().Icons().empty());
    Tick(1);
    EXPECT_EQ(Shell().Icons().size(), 1u);
    EXPECT_FALSE(Visible());
    DoubleClickIcon();
    std::size_t calls = Shell().Journal().size();
    Tick(10 * shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls);
    Press({"Alt+R"});
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls + 2) << "one question at the hide, one a tick";

    Start(kAfterChangeover, StartedWith("/Hidden"));
    Shell().ForgetIcons();
    Shell().SetRefuseIcons(true);
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_TRUE(Visible());
    calls = Shell().Journal().size();
    Tick(shell::TrayIcon::kWatchInterval);
    EXPECT_EQ(Shell().Journal().size(), calls) << "shown, it still asks";
    Press({"Alt+R"});
    Click("Réduire Alt+R");
    EXPECT_TRUE(Visible()) << "hidden with no icon to bring it back";
    RestartShell(false);
    EXPECT_TRUE(Main().HasTrayIcon()) << "the restarted shell did not get the icon";

    std::unique_ptr<Backend> refusing = MakeOffscreenBackend(StartedWith("/Hidden"), {});
    static_cast<offscreen::OffscreenPlatform&>(refusing->Platform()).Shell().SetRefuseIcons(true);
    Start(kAfterChangeover, std::move(refusing));
    EXPECT_TRUE(Visible()) << "a hidden start without an icon has no way back";
}

// The presence of "Convalis.lnk" in the Startup folder is the setting: none
// without the folder, none while the file cannot be read. The shortcut
// starts the program hidden and minimised (what else it holds: DialogsTest).
TEST_F(ShellRecords, TheStartupShortcutStartsTheProgramHiddenAndMinimised) {
    offscreen::ProgramFacts facts;
    facts.files.startupFolder.reset();
    Start(kAfterChangeover, facts);
    offscreen::UserFiles& files = Shell().Files();
    const auto present = [&] {
        return shell::StartupShortcutPresent(Offscreen(), Main().Window());
    };
    const auto write = [&](int checked) {
        return shell::WriteOrDeleteStartupShortcut(Offscreen(), Main().Window(), checked);
    };
    EXPECT_EQ(present(), 0) << "no Startup folder";
    EXPECT_FALSE(write(1));
    EXPECT_FALSE(write(0));
    EXPECT_TRUE(files.shortcuts.empty()) << "nothing is written without the folder";

    files.startupFolder = "C:\\D\xC3\xA9marrage";
    const std::string file = "C:\\D\xC3\xA9marrage\\Convalis.lnk";
    files.shortcuts[file] = std::nullopt;
    EXPECT_EQ(present(), 0) << "unreadable counts as absent";
    write(1);
    ASSERT_TRUE(files.shortcuts[file].has_value());
    EXPECT_EQ(files.shortcuts[file]->show, platform::ShowCommand::kMinimizedNoActivate);
    EXPECT_EQ(present(), 1);
    EXPECT_TRUE(write(0));
    EXPECT_TRUE(files.shortcuts.empty());
    EXPECT_TRUE(write(0)) << "silent";
}

TEST_F(ShellRecords, TheAboutBoxLinksOpenThroughTheShellAndOnlyTheCloseWaysClose) {
    Start();
    // No program for it: silent all the same.
    Shell().SetLaunchResult(platform::LaunchResult::kNoAssociation);
    QueueClick("A propos de...");
    Then([&] {
        // A screen reader names them links (the buttons' roles: end to end).
        for (const char* link : {"lblWeb", "lblMail"}) {
            const platform::Control* label = Window("frmAbout").FindControl(link, -1);
            EXPECT_EQ(dynamic_cast<const offscreen::OffscreenLabel&>(*label).AccessibleRole(),
                      platform::AccessibleRole::kLink);
        }
    });
    for (const std::string label : {product::kWebSite, product::kSupportMail, "Convalis", "1.1.1"})
        QueueClick(label);
    Queue({"A", "Tab", "Space", "F4"});  // keys that are no way out
    Then([&] {
        EXPECT_TRUE(program_->About().Loaded());
        const auto& launches = Shell().Launches();
        ASSERT_EQ(launches.size(), 2u);
        EXPECT_EQ(launches[0].address, product::kWebSite);
        EXPECT_EQ(launches[1].address, std::string("mailto: ") + product::kSupportMail);
        for (const offscreen::LaunchRecord& launch : launches) {
            EXPECT_EQ(launch.verb, "open");
            EXPECT_EQ(launch.show, platform::ShowCommand::kDefault);
        }
        EXPECT_TRUE(Offscreen().ShownMessages().empty());
    });
    Queue({"Alt+F4"});
    QueueClick("A propos de...");
    QueueClick("Fermer Alt+F4");
    Then([&] { EXPECT_FALSE(program_->About().Loaded()) << "the close button left it open"; });
    Run();
    EXPECT_TRUE(Main().Loaded()) << "a way out of the about box closed the main window";
}

}  // namespace
}  // namespace program_tests
