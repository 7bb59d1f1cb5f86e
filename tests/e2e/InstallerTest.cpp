// The installer, in a prefix of its own: msiexec installs Convalis for the
// user without asking anything, the program starts from its Start-menu
// shortcut, opens its help and writes its Startup shortcut, and uninstalling
// while it runs hidden, as started with Windows, ends it and leaves nothing
// of Convalis behind. A newer version replaces a running older one.
#include <gtest/gtest.h>

#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <string_view>

#include "NotificationArea.h"
#include "ProductInfo.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// The packages under test, named on the driver's command line: the MSI
// that make dist ships, and the same files as an older version.
struct {
    std::wstring current;
    std::wstring older;
} packages;

constexpr wchar_t kProductName[] = L"Convalis";
// Installing takes a few seconds; a loaded machine may take much longer.
constexpr DWORD kMsiexecLimitMs = 180000;

std::wstring ProductInfo(const std::wstring& productCode, const wchar_t* property) {
    wchar_t value[1024] = {};
    DWORD length = static_cast<DWORD>(std::size(value));
    return MsiGetProductInfoW(productCode.c_str(), property, value, &length) == ERROR_SUCCESS
               ? value
               : L"";
}

// Runs msiexec quietly with `action` (/i to install, /x to uninstall) on a
// package or product code and waits for it; its exit code, or nothing if
// it did not end in time.
std::optional<DWORD> Msiexec(const wchar_t* action, const std::wstring& packageOrProductCode) {
    std::wstring commandLine =
        L"msiexec.exe " + std::wstring(action) + L" \"" + packageOrProductCode + L"\" /qn";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return std::nullopt;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), kMsiexecLimitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.Get(), &code)) {
        return std::nullopt;
    }
    return code;
}

// Where the package puts things for the current user.
std::wstring InstallFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Convalis";
}

std::wstring StartMenuShortcut() {
    return ShellFolder(CSIDL_PROGRAMS) + L"\\Convalis.lnk";
}

// The product codes of the Convalis products that Windows Installer knows
// as installed, as the installed programs list them.
std::vector<std::wstring> InstalledConvalisProducts() {
    std::vector<std::wstring> products;
    wchar_t code[39];
    for (DWORD index = 0; MsiEnumProductsW(index, code) == ERROR_SUCCESS; ++index) {
        if (ProductInfo(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME) == kProductName) {
            products.push_back(code);
        }
    }
    return products;
}

// The product's facts are ASCII.
std::wstring Wide(std::string_view text) {
    return std::wstring(text.begin(), text.end());
}

const std::wstring kVersion = Wide(product::kVersion);
const std::wstring kOlderVersion = Wide(CONVALIS_TEST_OLDER_VERSION);

// Nothing of the package's nor the program's own Startup shortcut.
testing::AssertionResult NothingOfConvalisLeft() {
    for (const std::wstring& path : {InstallFolder(), StartMenuShortcut(), StartupShortcutPath()}) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return testing::AssertionFailure() << Utf8(path) << " is left";
        }
    }
    return testing::AssertionResult(InstalledConvalisProducts().empty())
           << "Convalis is still among the installed programs";
}

// The one installed product, of that version.
testing::AssertionResult InstalledOnceAs(const std::wstring& version) {
    const std::vector<std::wstring> products = InstalledConvalisProducts();
    const std::wstring installed =
        products.empty() ? L"" : ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING);
    return testing::AssertionResult(products.size() == 1 && installed == version)
           << products.size() << " products installed, the first as " << Utf8(installed);
}

// The installer ended the program cleanly: on its own, with its icon gone.
testing::AssertionResult EndedCleanly(const ProgramUnderTest& program) {
    if (!program.WaitForExit() || program.ExitCode() != 0u) {
        return testing::AssertionFailure() << "Convalis still runs or ended with an error";
    }
    return testing::AssertionResult(WaitUntilNoNotificationIcon())
           << "its notification icon is left";
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
        for (const std::wstring& product : InstalledConvalisProducts()) {
            Msiexec(L"/x", product);
        }
        DeleteFileW(StartupShortcutPath().c_str());
    }
};

TEST_F(Installer, InstallsForTheUserRunsAndUninstallsWithoutLeavingAnything) {
    ASSERT_EQ(Msiexec(L"/i", packages.current), 0u);
    const std::wstring program = InstallFolder() + L"\\Convalis.exe";
    for (const std::wstring& file : {program, InstallFolder() + L"\\Convalis.hlp",
                                     InstallFolder() + L"\\Convalis.chm", StartMenuShortcut()}) {
        EXPECT_TRUE(FileExists(file)) << "not installed: " << Utf8(file);
    }
    ASSERT_TRUE(InstalledOnceAs(kVersion));
    const std::wstring code = InstalledConvalisProducts().front();
    EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_PUBLISHER), Wide(product::kPublisher));
    EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_HELPLINK), Wide(product::kWebSite));
    EXPECT_EQ(ProductInfo(code, INSTALLPROPERTY_URLINFOABOUT), Wide(product::kWebSite));
    const std::wstring icon = ProductInfo(code, INSTALLPROPERTY_PRODUCTICON);
    EXPECT_TRUE(FileExists(icon)) << "no icon for the entry: " << Utf8(icon);

    const std::optional<Shortcut> startMenu = ReadShortcut(StartMenuShortcut());
    ASSERT_TRUE(startMenu.has_value()) << "no Start-menu shortcut " << Utf8(StartMenuShortcut());
    ASSERT_EQ(lstrcmpiW(startMenu->target.c_str(), program.c_str()), 0) << Utf8(startMenu->target);

    ProgramUnderTest::SetExecutable(startMenu->target);
    {
        ProgramUnderTest app;
        ASSERT_NE(app.WaitForMainWindow(), nullptr);
        app.Press({{VK_F1}});
        // The title page: the help's title and its first chapter's heading;
        // the buttons that the help adds to the viewer's toolbar are French.
        const auto textOf = [](HWND window) {
            return window != nullptr ? WindowText(window) : std::wstring();
        };
        std::wstring shown;
        ASSERT_TRUE(WaitUntil([&] {
            shown = textOf(FindHelpViewer());
            return shown.find(L"Aide de Convalis") != std::wstring::npos &&
                   shown.find(L"Chapitre 1 : Premiers pas") != std::wstring::npos;
        })) << "the help viewer shows: "
            << Utf8(shown) << "\nits question: " << Utf8(textOf(FindHelpViewer(true)));
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
    }

    // Started with Windows: hidden, only its icon shows.
    const std::optional<Shortcut> startup = ReadShortcut(StartupShortcutPath());
    ASSERT_TRUE(startup.has_value());
    EXPECT_EQ(lstrcmpiW(startup->target.c_str(), program.c_str()), 0) << Utf8(startup->target);
    ProgramUnderTest::SetExecutable(startup->target);
    ProgramUnderTest hidden(startup->arguments);
    ASSERT_NE(hidden.WaitForMainWindow(ProgramUnderTest::Start::kHidden), nullptr);
    ASSERT_TRUE(WaitForNotificationIcon());

    ASSERT_EQ(Msiexec(L"/x", packages.current), 0u);
    EXPECT_TRUE(EndedCleanly(hidden));
    EXPECT_TRUE(NothingOfConvalisLeft());
}

TEST_F(Installer, NewerVersionReplacesTheOlderInPlace) {
    ASSERT_EQ(Msiexec(L"/i", packages.older), 0u);
    ASSERT_TRUE(InstalledOnceAs(kOlderVersion));
    ProgramUnderTest::SetExecutable(InstallFolder() + L"\\Convalis.exe");
    ProgramUnderTest older(L"/Hidden");
    ASSERT_NE(older.WaitForMainWindow(ProgramUnderTest::Start::kHidden), nullptr);

    ASSERT_EQ(Msiexec(L"/i", packages.current), 0u);
    EXPECT_TRUE(EndedCleanly(older));
    EXPECT_TRUE(InstalledOnceAs(kVersion));
    EXPECT_TRUE(FileExists(InstallFolder() + L"\\Convalis.exe"));
    EXPECT_TRUE(FileExists(StartMenuShortcut()));

    ASSERT_EQ(Msiexec(L"/x", packages.current), 0u);
    EXPECT_TRUE(NothingOfConvalisLeft());
}

}  // namespace
}  // namespace e2e

// convalis-install-e2e [GoogleTest options] PACKAGE OLDER-PACKAGE
// Run it in a Wine prefix of its own (scripts/install-e2e.sh): it installs
// and uninstalls there.
int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: convalis-install-e2e [GoogleTest options] PACKAGE OLDER-PACKAGE\n");
        return 2;
    }
    e2e::packages = {argv[1], argv[2]};
    // The tests read the program's windows through their accessible objects.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 2;
    }
    const int failed = RUN_ALL_TESTS();
    CoUninitialize();
    return failed;
}
