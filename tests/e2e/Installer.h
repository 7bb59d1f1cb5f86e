// The installer (Convalis-<version>-win64.msi) as a user meets it: Windows
// Installer's msiexec, the installed files and shortcuts, and the entries in
// the installed programs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The packages under test, named on the driver's command line.
struct InstallerPackages {
    std::wstring current;  // the MSI that make dist ships
    std::wstring older;    // the same files as an older version, for the test
};
void SetInstallerPackages(InstallerPackages packages);
const InstallerPackages& Packages();

// Runs msiexec with `arguments` (e.g. /i "path" /qn) and waits for it; its
// exit code, or nothing if it did not end in time.
std::optional<DWORD> RunMsiexec(const std::wstring& arguments);
std::optional<DWORD> InstallQuietly(const std::wstring& package);
std::optional<DWORD> UninstallQuietly(const std::wstring& packageOrProductCode);

// Where the package puts things for the current user.
std::wstring InstallFolder();      // LocalAppData\Programs\Convalis
std::wstring StartMenuShortcut();  // Start menu\Programs\Convalis.lnk
bool FolderExists(const std::wstring& path);

// A Convalis product that Windows Installer knows as installed, as the
// installed programs list it.
struct InstalledProduct {
    std::wstring productCode;
    std::wstring version;
    std::wstring publisher;
    std::wstring helpLink;
    std::wstring aboutLink;
    std::wstring icon;
};
std::vector<InstalledProduct> InstalledConvalisProducts();

}  // namespace e2e
