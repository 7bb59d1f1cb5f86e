#include "platform/win32/shell/Win32Shell.h"

#include <utility>
#include <vector>

#include "platform/Window.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Text.h"
#include "platform/win32/shell/cShellLink.h"
#include "platform/win32/shell/mSysTray.h"

namespace win32 {
namespace {

HWND ToHwnd(const platform::Window& window) {
    return reinterpret_cast<HWND>(window.Handle());
}

// The text before the first NUL character, or the whole text: what is left
// of a fixed buffer that a call filled.
std::wstring TrimAtNull(const std::wstring& text) {
    return text.substr(0, text.find(L'\0'));
}

// The shell's functions (shell32): the notification icon at the start, the
// rest for the options and the about box.
struct ShellFunctions {
    static constexpr wchar_t kLibrary[] = L"shell32.dll";

    explicit ShellFunctions(const SystemLibrary& library)
        : Shell_NotifyIconW(library.Find<decltype(Shell_NotifyIconW)>("Shell_NotifyIconW")),
          SHGetSpecialFolderLocation(
              library.Find<decltype(SHGetSpecialFolderLocation)>("SHGetSpecialFolderLocation")),
          SHGetPathFromIDListW(
              library.Find<decltype(SHGetPathFromIDListW)>("SHGetPathFromIDListW")),
          ShellExecuteW(library.Find<decltype(ShellExecuteW)>("ShellExecuteW")) {}
    bool Complete() const {
        return Shell_NotifyIconW != nullptr && SHGetSpecialFolderLocation != nullptr &&
               SHGetPathFromIDListW != nullptr && ShellExecuteW != nullptr;
    }

    decltype(&::Shell_NotifyIconW) Shell_NotifyIconW;
    decltype(&::SHGetSpecialFolderLocation) SHGetSpecialFolderLocation;
    decltype(&::SHGetPathFromIDListW) SHGetPathFromIDListW;
    decltype(&::ShellExecuteW) ShellExecuteW;
};

const ShellFunctions* ShellLibrary() {
    return LoadOnFirstUse<ShellFunctions>();
}

// The main window's icon in the notification area: one record, filled once
// and handed to the shell unchanged. The window is hooked (mSysTray) after
// the first add and unhooked before the icon is deleted. An icon added while
// the program starts waits until the start is over (MessagePump::Started):
// the shell takes tens of milliseconds over it, which the window's first
// paint need not wait for.
class Win32NotificationIcon final : public platform::NotificationIcon, private StartupWork {
public:
    Win32NotificationIcon(Runtime& runtime, HWND window, const std::string& tip,
                          platform::NotificationIconEvents& events)
        : runtime_(runtime), events_(events), hook_(runtime.pump, events) {
        // The Windows 2000 layout: everything the program fills is in it.
        TrayIconData.cbSize = NOTIFYICONDATAW_V2_SIZE;
        TrayIconData.hWnd = window;
        TrayIconData.uID = mSysTray::kIconId;
        TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        TrayIconData.uCallbackMessage = mSysTray::kCallbackMessage;
        TrayIconData.hIcon = WindowIcon(window);
        // At most 63 characters, as the record's text always held.
        constexpr int kTipCharacters = 64;
        ::lstrcpynW(TrayIconData.szTip, Widen(tip).c_str(), kTipCharacters);
    }
    ~Win32NotificationIcon() override {
        hook_.UnhookWindow(TrayIconData.hWnd);
        if (waiting_) {
            runtime_.pump.Withdraw(*this);  // the shell never had it
        } else {
            Notify(NIM_DELETE);
        }
    }
    Win32NotificationIcon(const Win32NotificationIcon&) = delete;
    Win32NotificationIcon& operator=(const Win32NotificationIcon&) = delete;

    // During the start, the answer is whether the shell's notification area
    // is there to take the icon once the start is over.
    bool Add() override {
        if (runtime_.pump.Started()) {
            return AddNow();
        }
        if (!waiting_) {
            waiting_ = true;
            runtime_.pump.AfterStart(*this);
        }
        return ::FindWindowW(L"Shell_TrayWnd", nullptr) != nullptr;
    }
    // A change to an icon the shell does not know fails. An icon still
    // waiting for the end of the start is added now, to answer.
    bool StillThere() override { return waiting_ ? AddNow() : Notify(NIM_MODIFY); }

private:
    // The program's windows show their class's icon, resource 1.
    static HICON WindowIcon(HWND window) {
        ULONG_PTR icon = ::GetClassLongPtrW(window, GCLP_HICONSM);
        if (icon == 0) {
            icon = ::GetClassLongPtrW(window, GCLP_HICON);
        }
        return reinterpret_cast<HICON>(icon);
    }

    bool AddNow() {
        if (std::exchange(waiting_, false)) {
            runtime_.pump.Withdraw(*this);
        }
        const bool added = Notify(NIM_ADD);
        hook_.HookWindow(TrayIconData.hWnd);
        return added;
    }

    // A refusal comes too late to be Add's answer: the program hears of it
    // as of a shell that restarted without the icon, and adds it again.
    void StartIsOver() override {
        waiting_ = false;
        if (!AddNow()) {
            events_.ShellRestarted();
        }
    }

    bool Notify(DWORD message) {
        const ShellFunctions* shell = ShellLibrary();
        if (shell == nullptr) {
            return false;
        }
        TimingProbe* probe = runtime_.pump.Probe();
        const LONGLONG callStart = probe != nullptr ? TimingProbe::Counter() : 0;
        const bool done = shell->Shell_NotifyIconW(message, &TrayIconData) != FALSE;
        if (done && message == NIM_ADD && probe != nullptr) {
            probe->IconAdded(TrayIconData.hWnd, callStart);
        }
        return done;
    }

    Runtime& runtime_;
    platform::NotificationIconEvents& events_;
    NOTIFYICONDATAW TrayIconData{};
    mSysTray hook_;
    bool waiting_ = false;  // for the end of the start
};

// The show commands of shortcuts and of ShellExecute.
int ShowCommandValue(platform::ShowCommand show) {
    switch (show) {
        case platform::ShowCommand::kMaximized:
            return SW_SHOWMAXIMIZED;
        case platform::ShowCommand::kMinimizedNoActivate:
            return SW_SHOWMINNOACTIVE;
        case platform::ShowCommand::kDefault:
            return SW_SHOWDEFAULT;
        default:
            return SW_SHOWNORMAL;
    }
}

// A shortcut starts its program normal, maximised or minimised without
// activation (the shell may report that as any of the minimised values):
// the shell takes any other value for normal.
platform::ShowCommand ShortcutShow(int value) {
    switch (value) {
        case SW_SHOWMAXIMIZED:
            return platform::ShowCommand::kMaximized;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE:
            return platform::ShowCommand::kMinimizedNoActivate;
        default:
            return platform::ShowCommand::kNormal;
    }
}

// The properties in the order the Startup shortcut has always set them.
void Fill(cShellLink& link, const std::string& file, const platform::Shortcut& shortcut) {
    link.SetLnkFile(file);
    link.SetExeFile(shortcut.target);
    link.SetIconFile(shortcut.iconFile);
    link.SetIconIdx(shortcut.iconIndex);
    link.SetStartShow(ShowCommandValue(shortcut.show));
    link.SetExeArgs(shortcut.arguments);
    link.SetWorkDir(shortcut.workingDirectory);
    link.SetDescription(shortcut.description);
    // The hot key's modifiers (HOTKEYF_) share the shift state's bits.
    link.SetHotKey((shortcut.hotKeyShift & 0xFF) << 8 | (shortcut.hotKeyCode & 0xFF));
}

platform::Shortcut Record(const cShellLink& link) {
    platform::Shortcut shortcut;
    shortcut.target = link.ExeFile();
    shortcut.arguments = link.ExeArgs();
    shortcut.workingDirectory = link.WorkDir();
    shortcut.description = link.Description();
    shortcut.iconFile = link.IconFile();
    shortcut.iconIndex = link.IconIdx();
    shortcut.hotKeyCode = link.HotKey() & 0xFF;
    shortcut.hotKeyShift = (link.HotKey() >> 8) & 0xFF;
    shortcut.show = ShortcutShow(link.StartShow());
    return shortcut;
}

// A shortcut holds a few kilobytes; the shell would read all of a larger
// file, however large, before it found that it is none.
constexpr ULONGLONG kLargestShortcut = 64 * 1024;

bool LargerThanAnyShortcut(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Widen(file).c_str(), GetFileExInfoStandard, &data)) {
        return false;  // the shell says what is there
    }
    const ULONGLONG size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    return size > kLargestShortcut;
}

platform::LaunchResult LaunchResultOf(std::intptr_t result) {
    using platform::LaunchResult;
    if (result > 32) {
        return LaunchResult::kDone;
    }
    switch (result) {
        case 0:
        case SE_ERR_OOM:
            return LaunchResult::kOutOfMemory;
        case ERROR_FILE_NOT_FOUND:
            return LaunchResult::kFileNotFound;
        case ERROR_PATH_NOT_FOUND:
            return LaunchResult::kPathNotFound;
        case SE_ERR_ACCESSDENIED:
            return LaunchResult::kAccessDenied;
        case ERROR_BAD_FORMAT:
            return LaunchResult::kBadFormat;
        case SE_ERR_SHARE:
            return LaunchResult::kSharingViolation;
        case SE_ERR_ASSOCINCOMPLETE:
            return LaunchResult::kIncompleteAssociation;
        case SE_ERR_DDETIMEOUT:
            return LaunchResult::kDdeTimeout;
        case SE_ERR_DDEFAIL:
            return LaunchResult::kDdeFailed;
        case SE_ERR_DDEBUSY:
            return LaunchResult::kDdeBusy;
        case SE_ERR_NOASSOC:
            return LaunchResult::kNoAssociation;
        case SE_ERR_DLLNOTFOUND:
            return LaunchResult::kLibraryNotFound;
        default:
            return LaunchResult::kOtherFailure;
    }
}

// "" as no text at all, as ShellExecuteW takes optional arguments.
const wchar_t* OptionalText(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// ShellExecute: above 32 on success, otherwise an error number.
std::intptr_t ShellExecuteResult(ComApartment& apartment, HWND window, const std::string& file,
                                 const std::string& operation, const std::string& parameters,
                                 const std::string& directory, int showCommand) {
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return 0;  // as ShellExecuteW says the system lacks resources
    }
    // The file's handler may be a component of the shell.
    apartment.Enter();
    const std::wstring wideOperation = Widen(operation);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideDirectory = Widen(directory);
    HINSTANCE result = shell->ShellExecuteW(window, OptionalText(wideOperation),
                                            Widen(file).c_str(), OptionalText(wideParameters),
                                            OptionalText(wideDirectory), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

HKEY RootKey(platform::RegistryRoot root) {
    switch (root) {
        case platform::RegistryRoot::kCurrentUser:
            return HKEY_CURRENT_USER;
        case platform::RegistryRoot::kLocalMachine:
            return HKEY_LOCAL_MACHINE;
        default:
            return HKEY_USERS;
    }
}

}  // namespace

std::string SpecialFolderPath(ComApartment& apartment, HWND owner, int folder) {
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return {};
    }
    // The folders may be found through the shell's components.
    const ComponentObjects* com = apartment.Enter();
    PIDLIST_ABSOLUTE list = nullptr;
    if (shell->SHGetSpecialFolderLocation(owner, folder, &list) != S_OK) {
        return {};
    }
    // The shell writes up to a whole path here, not just 255 characters.
    std::wstring buffer(MAX_PATH, L' ');
    const BOOL found = shell->SHGetPathFromIDListW(list, buffer.data());
    if (com != nullptr) {
        com->CoTaskMemFree(list);
    }
    if (found != 1) {
        return {};
    }
    return Narrow(TrimAtNull(buffer));
}

std::unique_ptr<platform::NotificationIcon> Win32Shell::CreateNotificationIcon(
    platform::Window& window, const std::string& tip, platform::NotificationIconEvents& events) {
    return std::make_unique<Win32NotificationIcon>(runtime_, ToHwnd(window), tip, events);
}

std::optional<std::string> Win32Shell::StartupFolder(platform::Window& owner) {
    std::string folder = SpecialFolderPath(runtime_.apartment, ToHwnd(owner), CSIDL_STARTUP);
    if (folder.empty()) {
        return std::nullopt;
    }
    return folder;
}

bool Win32Shell::WriteShortcut(const std::string& file, const platform::Shortcut& shortcut) {
    cShellLink link(runtime_.apartment);
    Fill(link, file, shortcut);
    return link.CreateLink();
}

std::optional<platform::Shortcut> Win32Shell::ReadShortcut(const std::string& file) {
    if (LargerThanAnyShortcut(file)) {
        return std::nullopt;
    }
    cShellLink link(runtime_.apartment);
    link.SetLnkFile(file);
    if (!link.GetLinkInfo()) {
        return std::nullopt;
    }
    return Record(link);
}

bool Win32Shell::DeleteShortcut(const std::string& file) {
    return ::DeleteFileW(Widen(file).c_str()) != FALSE;
}

platform::LaunchResult Win32Shell::Launch(const std::string& address, const std::string& verb,
                                          platform::ShowCommand show) {
    return LaunchResultOf(ShellExecuteResult(runtime_.apartment, nullptr, address, verb, "", "",
                                             ShowCommandValue(show)));
}

std::optional<std::string> Win32Registry::ReadString(platform::RegistryRoot root,
                                                     const std::string& key,
                                                     const std::string& name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(RootKey(root), Widen(key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    UniqueRegistryKey owned(opened);
    const std::wstring valueName = Widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(owned.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    // Room for a NUL that the stored value may lack.
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(owned.Get(), valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return Narrow(TrimAtNull(std::wstring(text.data(), text.size())));
}

}  // namespace win32
