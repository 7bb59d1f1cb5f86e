#include "platform/win32/Win32Services.h"

#include <optional>
#include <vector>

#include "ProductInfo.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Text.h"

namespace win32 {

namespace {

// One instance per user: the name lives in the session's namespace.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Convalis.SingleInstance";

std::wstring ModuleFileName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The version reader (version.dll), which only the about box needs.
struct VersionFunctions {
    static constexpr wchar_t kLibrary[] = L"version.dll";

    explicit VersionFunctions(const SystemLibrary& library)
        : GetFileVersionInfoSizeW(
              library.Find<decltype(GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW")),
          GetFileVersionInfoW(library.Find<decltype(GetFileVersionInfoW)>("GetFileVersionInfoW")),
          VerQueryValueW(library.Find<decltype(VerQueryValueW)>("VerQueryValueW")) {}
    bool Complete() const {
        return GetFileVersionInfoSizeW != nullptr && GetFileVersionInfoW != nullptr &&
               VerQueryValueW != nullptr;
    }

    decltype(&::GetFileVersionInfoSizeW) GetFileVersionInfoSizeW;
    decltype(&::GetFileVersionInfoW) GetFileVersionInfoW;
    decltype(&::VerQueryValueW) VerQueryValueW;
};

// The fixed part of the program file's version resource.
std::optional<VS_FIXEDFILEINFO> FixedFileInfo() {
    const VersionFunctions* reader = LoadOnFirstUse<VersionFunctions>();
    if (reader == nullptr) {
        return std::nullopt;
    }
    const std::wstring path = ModuleFileName();
    DWORD ignored = 0;
    const DWORD size = reader->GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<unsigned char> data(size);
    void* block = nullptr;
    UINT blockSize = 0;
    if (!reader->GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
        !reader->VerQueryValueW(data.data(), L"\\", &block, &blockSize) ||
        blockSize < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    return *static_cast<const VS_FIXEDFILEINFO*>(block);
}

// "major.minor.revision" of the program file's version resource, or the
// build's own version when the file has none.
std::string FileVersion() {
    const std::optional<VS_FIXEDFILEINFO> info = FixedFileInfo();
    if (!info) {
        return product::kVersion;
    }
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(info->dwFileVersionLS));
}

}  // namespace

std::wstring ArgumentText(const std::wstring& commandLine) {
    std::size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t quote = commandLine.find(L'"', 1);
        end = quote == std::wstring::npos ? commandLine.size() : quote + 1;
    } else {
        end = commandLine.find_first_of(L" \t");
        if (end == std::wstring::npos) {
            end = commandLine.size();
        }
    }
    if (end < commandLine.size() && (commandLine[end] == L' ' || commandLine[end] == L'\t')) {
        ++end;
    }
    return commandLine.substr(end);
}

std::wstring FolderOf(const std::wstring& filePath) {
    const std::size_t separator = filePath.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {};
    }
    // "C:\Convalis.exe" lies in "C:\", not in "C:".
    if (separator == 2 && filePath[1] == L':') {
        return filePath.substr(0, 3);
    }
    return filePath.substr(0, separator);
}

Win32Application::Win32Application() {
    instanceMutex_.Reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    prevInstance_ = instanceMutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string Win32Application::Path() const {
    return Narrow(FolderOf(ModuleFileName()));
}

std::string Win32Application::CommandLine() const {
    return Narrow(ArgumentText(::GetCommandLineW()));
}

std::string Win32Application::Version() const {
    return FileVersion();
}

int Win32Screen::WidthTwips() const {
    return SystemDpi().ToTwips(::GetSystemMetrics(SM_CXSCREEN));
}

int Win32Screen::HeightTwips() const {
    return SystemDpi().ToTwips(::GetSystemMetrics(SM_CYSCREEN));
}

platform::LocalDateTime Win32Clock::Now() const {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    platform::LocalDateTime result;
    result.year = now.wYear;
    result.month = now.wMonth;
    result.day = now.wDay;
    result.hour = now.wHour;
    result.minute = now.wMinute;
    result.second = now.wSecond;
    return result;
}

std::string Win32NumberFormat::DecimalSeparator() const {
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length <= 1) {
        return ".";
    }
    return Narrow(separator, length - 1);
}

void Win32Keyboard::PostKeys(const std::vector<int>& keyCodes) {
    HWND target = ::GetActiveWindow();
    if (target == nullptr) {
        return;
    }
    // Posted, never sent: the caller does not wait for the keys to be
    // handled. The message loop previews them like typed keys.
    for (const int keyCode : keyCodes) {
        const auto key = static_cast<UINT>(keyCode);
        const LPARAM scanCode = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC) & 0xFF;
        const LPARAM down = 1 | scanCode << 16;
        const LPARAM up = down | (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
        ::PostMessageW(target, WM_KEYDOWN, key, down);
        ::PostMessageW(target, WM_KEYUP, key, up);
    }
}

void Win32Help::ShowContents(platform::WindowHandle owner, const std::string& helpFile) {
    // The viewer reports a missing or damaged file itself.
    ::WinHelpW(reinterpret_cast<HWND>(owner), Widen(helpFile).c_str(), HELP_FINDER, 0);
}

void Win32MessageBox::ShowCritical(const std::string& text, const std::string& title) {
    ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(),
                  MB_OK | MB_ICONERROR);
}

bool Win32Activation::ActivateByTitle(const std::string& title) {
    HWND hwnd = ::FindWindowW(nullptr, Widen(title).c_str());
    if (hwnd == nullptr) {
        return false;
    }
    ::SetForegroundWindow(hwnd);
    return true;
}

// The results of the pointer calls are not examined: a failure leaves the
// pointer at the origin and the capture as it was.
platform::Point Win32Pointer::CursorPos() const {
    POINT point{};
    ::GetCursorPos(&point);
    return platform::Point{point.x, point.y};
}

void Win32Pointer::SetCapture(platform::WindowHandle window) {
    ::SetCapture(reinterpret_cast<HWND>(window));
}

void Win32Pointer::ReleaseCapture() {
    ::ReleaseCapture();
}

}  // namespace win32
