#include "Installer.h"

#include <msi.h>
#include <shlobj.h>

#include <utility>

#include "Desktop.h"

namespace e2e {

namespace {

constexpr wchar_t kProductName[] = L"Convalis";
// Installing takes a few seconds; a loaded machine may take much longer.
constexpr DWORD kMsiexecLimitMs = 180000;

InstallerPackages& PackagesInUse() {
    static InstallerPackages packages;
    return packages;
}

std::wstring FolderPath(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::wstring ProductInfo(const std::wstring& productCode, const wchar_t* property) {
    DWORD length = 0;
    if (MsiGetProductInfoW(productCode.c_str(), property, nullptr, &length) != ERROR_SUCCESS) {
        return {};
    }
    std::wstring value(length + 1, L'\0');
    length = static_cast<DWORD>(value.size());
    if (MsiGetProductInfoW(productCode.c_str(), property, value.data(), &length) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(length);
    return value;
}

}  // namespace

void SetInstallerPackages(InstallerPackages packages) {
    PackagesInUse() = std::move(packages);
}

const InstallerPackages& Packages() {
    return PackagesInUse();
}

std::optional<DWORD> RunMsiexec(const std::wstring& arguments) {
    std::wstring commandLine = L"msiexec.exe " + arguments;
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
    if (WaitForSingleObject(process.get(), kMsiexecLimitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &code)) {
        return std::nullopt;
    }
    return code;
}

std::optional<DWORD> InstallQuietly(const std::wstring& package) {
    return RunMsiexec(L"/i \"" + package + L"\" /qn");
}

std::optional<DWORD> UninstallQuietly(const std::wstring& packageOrProductCode) {
    return RunMsiexec(L"/x \"" + packageOrProductCode + L"\" /qn");
}

std::wstring InstallFolder() {
    return FolderPath(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Convalis";
}

std::wstring StartMenuShortcut() {
    return FolderPath(CSIDL_PROGRAMS) + L"\\Convalis.lnk";
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<InstalledProduct> InstalledConvalisProducts() {
    std::vector<InstalledProduct> products;
    wchar_t code[39];
    for (DWORD index = 0; MsiEnumProductsW(index, code) == ERROR_SUCCESS; ++index) {
        if (ProductInfo(code, INSTALLPROPERTY_INSTALLEDPRODUCTNAME) != kProductName) {
            continue;
        }
        products.push_back({code, ProductInfo(code, INSTALLPROPERTY_VERSIONSTRING),
                            ProductInfo(code, INSTALLPROPERTY_PUBLISHER),
                            ProductInfo(code, INSTALLPROPERTY_HELPLINK),
                            ProductInfo(code, INSTALLPROPERTY_URLINFOABOUT),
                            ProductInfo(code, INSTALLPROPERTY_PRODUCTICON)});
    }
    return products;
}

}  // namespace e2e
