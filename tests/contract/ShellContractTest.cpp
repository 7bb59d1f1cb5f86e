// What the program relies on from the notification area and shortcut files,
// on every platform.
#include <fstream>

#include "ContractFixture.h"

namespace contract {
namespace {

// Icon events, as recorded.
class IconEvents : public platform::NotificationIconEvents {
public:
    void IconDoubleClicked() override {}
    void ShellRestarted() override {}
};

class PlatformNotificationArea : public ContractTest {};

TEST_F(PlatformNotificationArea, TakesTheIconAndRemovesItWithItsObject) {
    RecordingEvents events;
    auto window = MakeWindow("frmIcon", events);
    IconEvents iconEvents;
    platform::Shell& shell = Platform().ShellServices();
    auto icon = shell.CreateNotificationIcon(*window, "Convertisseur Francs-Euros", iconEvents);
    ASSERT_TRUE(icon->Add());
    EXPECT_TRUE(icon->StillThere());
    icon.reset();
    icon = shell.CreateNotificationIcon(*window, "Convalis", iconEvents);
    EXPECT_FALSE(icon->StillThere()) << "the icon outlived its object";
    EXPECT_TRUE(icon->Add());
}

class PlatformShortcuts : public ContractTest {
protected:
    platform::Shell& Shell() { return Platform().ShellServices(); }
};

TEST_F(PlatformShortcuts, ComeBackAsWritten) {
    const std::string folder = Run().TemporaryFolder();
    const std::string target = folder + "Convalis \xC3\xA9t\xC3\xA9.exe";
    std::ofstream(target) << "program";
    const std::string file = folder + "Convalis.lnk";
    platform::Shortcut written;
    written.target = target;
    written.workingDirectory = folder.substr(0, folder.size() - 1);
    written.arguments = "/Hidden";
    written.description = "Convertisseur Francs-Euros, caisse n\xC2\xB0 2";
    written.iconFile = target;
    written.iconIndex = 3;
    written.hotKeyCode = 'A';
    written.hotKeyShift = platform::shift::kShift | platform::shift::kCtrl;
    ASSERT_TRUE(Shell().WriteShortcut(file, written));

    const std::optional<platform::Shortcut> read = Shell().ReadShortcut(file);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->target, target);
    EXPECT_EQ(read->workingDirectory, written.workingDirectory);
    EXPECT_EQ(read->arguments, "/Hidden");
    EXPECT_EQ(read->description, written.description);
    EXPECT_EQ(read->iconFile, target);
    EXPECT_EQ(read->iconIndex, 3);
    EXPECT_EQ(read->hotKeyCode, 'A');
    EXPECT_EQ(read->hotKeyShift, written.hotKeyShift);
    // Wine 8's shell does not give the show command back as the file holds
    // it: the end-to-end tests read the Startup shortcut's bytes instead.
    EXPECT_TRUE(Shell().DeleteShortcut(file));
    EXPECT_FALSE(Shell().ReadShortcut(file).has_value()) << "deleted, yet still read";
    EXPECT_FALSE(Shell().DeleteShortcut(file));
}

TEST_F(PlatformShortcuts, NeedATargetAndAFile) {
    const std::string folder = Run().TemporaryFolder();
    EXPECT_FALSE(Shell().WriteShortcut(folder + "Convalis.lnk", platform::Shortcut()));
    EXPECT_FALSE(Shell().ReadShortcut(folder + "Convalis.lnk").has_value());
    platform::Shortcut shortcut;
    shortcut.target = folder + "Convalis.exe";
    EXPECT_FALSE(Shell().WriteShortcut("", shortcut));
}

}  // namespace
}  // namespace contract
