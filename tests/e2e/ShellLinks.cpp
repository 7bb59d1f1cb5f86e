#include "ShellLinks.h"

#include <objbase.h>
#include <shlobj.h>

#include "Desktop.h"
#include "platform/win32/ComPtr.h"

namespace e2e {

namespace {

constexpr wchar_t kShortcutName[] = L"Convalis.lnk";

}  // namespace

std::wstring StartupFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::wstring StartupShortcutPath() {
    return StartupFolder() + L"\\" + kShortcutName;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

std::optional<BY_HANDLE_FILE_INFORMATION> FileIdentity(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (file.get() == INVALID_HANDLE_VALUE ||
        !GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return information;
}

}  // namespace

bool SameFile(const std::wstring& a, const std::wstring& b) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> first = FileIdentity(a);
    const std::optional<BY_HANDLE_FILE_INFORMATION> second = FileIdentity(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

std::vector<unsigned char> FileBytes(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (file.get() == INVALID_HANDLE_VALUE || !GetFileSizeEx(file.get(), &size)) {
        return {};
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    return bytes;
}

std::optional<unsigned long> NumberAt(const std::vector<unsigned char>& bytes, size_t offset) {
    if (offset + 4 > bytes.size()) {
        return std::nullopt;
    }
    unsigned long number = 0;
    for (size_t i = 4; i-- > 0;) {
        number = (number << 8) | bytes[offset + i];
    }
    return number;
}

std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
    win32::ComPtr<IShellLinkW> link;
    win32::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, icon[MAX_PATH] = {};
    Shortcut read;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid())) ||
        FAILED(file->Load(path.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_UNCPRIORITY)) ||
        FAILED(link->GetArguments(arguments, MAX_PATH)) ||
        FAILED(link->GetIconLocation(icon, MAX_PATH, &read.iconIndex))) {
        return std::nullopt;
    }
    read.target = target;
    read.arguments = arguments;
    read.iconFile = icon;
    return read;
}

void NoStartupShortcut::Remove() {
    DeleteFileW(StartupShortcutPath().c_str());
}

}  // namespace e2e
