// The installer, in a prefix of its own: msiexec installs Convalis for the
// user without asking anything, the program starts from its Start-menu
// shortcut, opens its help and writes its Startup shortcut, and uninstalling
// while it runs hidden, as started with Windows, ends it and leaves nothing
// of Convalis behind. A newer version replaces a running older one.
#include <gtest/gtest.h>

#include <string_view>

#include "HelpViewer.h"
#include "Installer.h"
#include "NotificationArea.h"
#include "ProductInfo.h"
#include "ProgramUnderTest.h"
#include "ShellLinks.h"

namespace e2e {
namespace {

// The product's facts are ASCII.
std::wstring Wide(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

const std::wstring kVersion = Wide(product::kVersion);
const std::wstring kOlderVersion = Wide(CONVALIS_TEST_OLDER_VERSION);

bool SameText(const std::wstring& a, const std::wstring& b) {
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

// The files that the package installs, and the shortcuts; the Startup
// shortcut is the program's own.
std::vector<std::wstring> ConvalisFiles() {
    const std::wstring folder = InstallFolder();
    return {folder + L"\\Convalis.exe", folder + L"\\Convalis.hlp", folder + L"\\Convalis.chm",
            StartMenuShortcut(), StartupShortcutPath()};
}

testing::AssertionResult NothingOfConvalisLeft() {
    for (const std::wstring& file : ConvalisFiles()) {
        if (FileExists(file)) {
            return testing::AssertionFailure() << Utf8(file) << " is left";
        }
    }
    if (FolderExists(InstallFolder())) {
        return testing::AssertionFailure() << Utf8(InstallFolder()) << " is left";
    }
    if (!InstalledConvalisProducts().empty()) {
        return testing::AssertionFailure() << "Convalis is still among the installed programs";
    }
    return testing::AssertionSuccess();
}

// The one installed product, of that version.
testing::AssertionResult InstalledOnceAs(const std::wstring& version) {
    const std::vector<InstalledProduct> products = InstalledConvalisProducts();
    if (products.size() != 1) {
        return testing::AssertionFailure() << products.size() << " products installed";
    }
    if (products[0].version != version) {
        return testing::AssertionFailure() << "installed as " << Utf8(products[0].version);
    }
    return testing::AssertionSuccess();
}

// The installer ended the program cleanly: on its own, with its icon gone.
testing::AssertionResult EndedCleanly(const ProgramUnderTest& program) {
    if (!program.WaitForExit()) {
        return testing::AssertionFailure() << "Convalis still runs";
    }
    if (program.ExitCode() != 0u) {
        return testing::AssertionFailure() << "Convalis ended with " << *program.ExitCode();
    }
    if (!WaitUntilNoNotificationIcon()) {
        return testing::AssertionFailure() << "its notification icon is left";
    }
    return testing::AssertionSuccess();
}

class Installer : public testing::Test {
protected:
    void SetUp() override {
        EndHelpViewers();
        ASSERT_TRUE(NothingOfConvalisLeft()) << "not a clean prefix";
    }

    // Whatever a failed test left installed goes, so the next starts clean.
    void TearDown() override {
        EndHelpViewers();
        for (const InstalledProduct& product : InstalledConvalisProducts()) {
            UninstallQuietly(product.productCode);
        }
        DeleteFileW(StartupShortcutPath().c_str());
    }
};

TEST_F(Installer, InstallsForTheUserRunsAndUninstallsWithoutLeavingAnything) {
    ASSERT_EQ(InstallQuietly(Packages().current), 0u);
    for (const std::wstring& file : ConvalisFiles()) {
        if (file != StartupShortcutPath()) {
            EXPECT_TRUE(FileExists(file)) << "not installed: " << Utf8(file);
        }
    }
    ASSERT_TRUE(InstalledOnceAs(kVersion));
    const InstalledProduct installed = InstalledConvalisProducts().front();
    EXPECT_EQ(installed.publisher, Wide(product::kPublisher));
    EXPECT_EQ(installed.helpLink, Wide(product::kWebSite));
    EXPECT_EQ(installed.aboutLink, Wide(product::kWebSite));
    EXPECT_TRUE(FileExists(installed.icon)) << "no icon for the entry: " << Utf8(installed.icon);

    const std::optional<Shortcut> startMenu = ReadShortcut(StartMenuShortcut());
    ASSERT_TRUE(startMenu.has_value()) << "no Start-menu shortcut " << Utf8(StartMenuShortcut());
    const std::wstring program = InstallFolder() + L"\\Convalis.exe";
    ASSERT_TRUE(SameText(startMenu->target, program)) << Utf8(startMenu->target);

    ProgramUnderTest::SetExecutable(startMenu->target);
    {
        ProgramUnderTest app;
        ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
        app.Press({{VK_F1}});
        std::string failure;
        const HWND viewer = WaitForTitlePage(&failure);
        ASSERT_NE(viewer, nullptr) << failure;
        // The buttons that the help adds to the viewer's toolbar are French.
        const std::wstring shown = WindowText(viewer, true);
        EXPECT_NE(shown.find(L"\u00C0 pr&opos"), std::wstring::npos) << Utf8(shown);
        EXPECT_EQ(shown.find(L"&About"), std::wstring::npos) << Utf8(shown);
        EndHelpViewers();

        app.Press({WithAlt('O')});
        const ProgramWindow options = app.WaitForWindow(WindowKind::kOptions);
        ASSERT_TRUE(options) << "Alt+O opened no options dialog";
        options.Click(L"chkDémarrage");
        ASSERT_TRUE(options.IsChecked(L"chkDémarrage", true));
        options.Press({{VK_RETURN}});
        ASSERT_TRUE(WaitUntil([] { return FileExists(StartupShortcutPath()); }))
            << "ticking the start option wrote no " << Utf8(StartupShortcutPath());
        const std::optional<Shortcut> startup = ReadShortcut(StartupShortcutPath());
        ASSERT_TRUE(startup.has_value());
        EXPECT_TRUE(SameText(startup->target, program)) << Utf8(startup->target);
    }

    // Started with Windows: hidden, only its icon shows.
    const std::optional<Shortcut> startup = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(startup.has_value());
    ProgramUnderTest::SetExecutable(startup->target);
    ProgramUnderTest hidden(startup->arguments);
    ASSERT_NE(hidden.WaitForMainWindow(), nullptr);
    ASSERT_TRUE(WaitForNotificationIcon());

    ASSERT_EQ(UninstallQuietly(Packages().current), 0u);
    EXPECT_TRUE(EndedCleanly(hidden));
    EXPECT_TRUE(NothingOfConvalisLeft());
}

TEST_F(Installer, NewerVersionReplacesTheOlderInPlace) {
    ASSERT_EQ(InstallQuietly(Packages().older), 0u);
    ASSERT_TRUE(InstalledOnceAs(kOlderVersion));
    ProgramUnderTest::SetExecutable(InstallFolder() + L"\\Convalis.exe");
    ProgramUnderTest older(L"/Hidden");
    ASSERT_NE(older.WaitForMainWindow(), nullptr);

    ASSERT_EQ(InstallQuietly(Packages().current), 0u);
    EXPECT_TRUE(EndedCleanly(older));
    EXPECT_TRUE(InstalledOnceAs(kVersion));
    EXPECT_TRUE(FileExists(InstallFolder() + L"\\Convalis.exe"));
    EXPECT_TRUE(FileExists(StartMenuShortcut()));

    ASSERT_EQ(UninstallQuietly(Packages().current), 0u);
    EXPECT_TRUE(NothingOfConvalisLeft());
}

}  // namespace
}  // namespace e2e
