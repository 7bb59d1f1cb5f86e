// What the program relies on from the notification area and shortcut files,
// on every platform.
#include <fstream>

#include "ContractFixture.h"

namespace contract {
namespace {

class PlatformNotificationArea : public ContractTest {};

TEST_F(PlatformNotificationArea, TakesTheIconRecordThenChangesAndRemovesIt) {
    RecordingEvents events;
    auto window = MakeWindow("frmIcon", events);
    platform::Shell& shell = Platform().ShellServices();
    platform::NotifyIconData icon;
    icon.hWnd = window->Handle();
    icon.uID = 61860;
    icon.uFlags = platform::nif::kMessage | platform::nif::kIcon | platform::nif::kTip;
    icon.uCallbackMessage = platform::wm::kUser + 1;
    icon.hIcon = shell.WindowIcon(window->Handle());
    icon.szTip = "Convertisseur Francs-Euros";

    ASSERT_TRUE(shell.NotifyIcon(platform::nim::kAdd, icon));
    icon.szTip = "Convalis";
    EXPECT_TRUE(shell.NotifyIcon(platform::nim::kModify, icon));
    EXPECT_TRUE(shell.NotifyIcon(platform::nim::kDelete, icon));
    EXPECT_FALSE(shell.NotifyIcon(platform::nim::kModify, icon)) << "the removed icon changed";
}

class PlatformShortcuts : public ContractTest {
protected:
    std::unique_ptr<platform::ShellLinkObject> NewLink() {
        auto link = Platform().ShellServices().CreateShellLink();
        EXPECT_NE(link, nullptr);
        return link;
    }
    // A getter's text ends at its first NUL.
    static std::string Text(const std::string& filled) {
        return filled.substr(0, filled.find('\0'));
    }
    static std::string Get(bool (platform::ShellLinkObject::*getter)(std::string&, int),
                           platform::ShellLinkObject& link) {
        std::string text;
        EXPECT_TRUE((link.*getter)(text, platform::kMaxPath));
        return Text(text);
    }
};

TEST_F(PlatformShortcuts, ComeBackAsWritten) {
    const std::string folder = Run().TemporaryFolder();
    const std::string target = folder + "Convalis.exe";
    std::ofstream(target) << "program";
    const std::string file = folder + "Convalis.lnk";

    auto link = NewLink();
    ASSERT_TRUE(link->SetPath(target));
    ASSERT_TRUE(link->SetWorkingDirectory(folder.substr(0, folder.size() - 1)));
    ASSERT_TRUE(link->SetArguments("/Hidden"));
    ASSERT_TRUE(link->SetDescription("Convertisseur Francs-Euros"));
    ASSERT_TRUE(link->SetIconLocation(target, 3));
    ASSERT_TRUE(link->SetHotkey(0x0641));
    ASSERT_TRUE(link->SetShowCmd(1));
    ASSERT_TRUE(link->Save(file, true));

    auto back = NewLink();
    ASSERT_TRUE(back->Load(file, 0));
    std::string path;
    ASSERT_TRUE(back->GetPath(path, platform::kMaxPath, 0));
    EXPECT_EQ(Text(path), target);
    EXPECT_EQ(Get(&platform::ShellLinkObject::GetWorkingDirectory, *back),
              folder.substr(0, folder.size() - 1));
    EXPECT_EQ(Get(&platform::ShellLinkObject::GetArguments, *back), "/Hidden");
    EXPECT_EQ(Get(&platform::ShellLinkObject::GetDescription, *back), "Convertisseur Francs-Euros");
    std::string iconFile;
    int iconIndex = -1;
    ASSERT_TRUE(back->GetIconLocation(iconFile, platform::kMaxPath, &iconIndex));
    EXPECT_EQ(Text(iconFile), target);
    EXPECT_EQ(iconIndex, 3);
    std::uint16_t hotKey = 0;
    ASSERT_TRUE(back->GetHotkey(&hotKey));
    EXPECT_EQ(hotKey, 0x0641);
    int show = 0;
    ASSERT_TRUE(back->GetShowCmd(&show));
    EXPECT_EQ(show, 1);
    EXPECT_TRUE(Platform().ShellServices().DeleteFile(file));
}

TEST_F(PlatformShortcuts, AMissingFileDoesNotLoad) {
    const std::string folder = Run().TemporaryFolder();
    EXPECT_FALSE(NewLink()->Load(folder + "Missing.lnk", 0));
    EXPECT_FALSE(Platform().ShellServices().DeleteFile(folder + "Missing.lnk"));
}

}  // namespace
}  // namespace contract
