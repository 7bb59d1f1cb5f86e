#include "platform/win32/Win32Shell.h"

#include <vector>

#include "platform/win32/ComPtr.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Text.h"

namespace win32 {

namespace {

// The window property through which the hook thunk finds its shell.
constexpr wchar_t kHookProperty[] = L"Convalis.WindowHook";

HWND ToHwnd(platform::WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// A wide text up to its first NUL, as UTF-8.
std::string NarrowToNul(const std::wstring& wide) {
    const std::size_t end = wide.find(L'\0');
    return Narrow(wide.c_str(), static_cast<int>(end == std::wstring::npos ? wide.size() : end));
}

// Writes `text` then a NUL at the start of `buffer`, as the shell fills a
// caller's buffer: what follows stays. The buffer grows when the UTF-8 text
// is longer than it (one wide character may take up to three bytes).
void FillBuffer(std::string& buffer, const std::string& text) {
    if (buffer.size() < text.size() + 1) {
        buffer.resize(text.size() + 1, ' ');
    }
    buffer.replace(0, text.size() + 1, text + '\0');
}

// "" as no text at all, as ShellExecuteW takes optional arguments.
const wchar_t* OptionalText(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The shell's shortcut object: IShellLinkW with its IPersistFile. Texts are
// UTF-8 here and wide for the shell.
class Win32ShellLink final : public platform::ShellLinkObject {
public:
    Win32ShellLink(ComPtr<IShellLinkW> link, ComPtr<IPersistFile> file)
        : link_(std::move(link)), file_(std::move(file)) {}

    bool SetPath(const std::string& path) override {
        return SUCCEEDED(link_->SetPath(Widen(path).c_str()));
    }
    bool SetWorkingDirectory(const std::string& directory) override {
        return SUCCEEDED(link_->SetWorkingDirectory(Widen(directory).c_str()));
    }
    bool SetArguments(const std::string& arguments) override {
        return SUCCEEDED(link_->SetArguments(Widen(arguments).c_str()));
    }
    bool SetDescription(const std::string& description) override {
        return SUCCEEDED(link_->SetDescription(Widen(description).c_str()));
    }
    bool SetIconLocation(const std::string& file, int index) override {
        return SUCCEEDED(link_->SetIconLocation(Widen(file).c_str(), index));
    }
    bool SetHotkey(std::uint16_t hotKey) override { return SUCCEEDED(link_->SetHotkey(hotKey)); }
    bool SetShowCmd(int showCommand) override { return SUCCEEDED(link_->SetShowCmd(showCommand)); }
    bool Resolve(platform::WindowHandle window, std::uint32_t flags) override {
        return SUCCEEDED(link_->Resolve(ToHwnd(window), flags));
    }
    bool Save(const std::string& file, bool remember) override {
        return SUCCEEDED(file_->Save(Widen(file).c_str(), remember ? TRUE : FALSE));
    }
    bool Load(const std::string& file, std::uint32_t mode) override {
        return SUCCEEDED(file_->Load(Widen(file).c_str(), mode));
    }

    bool GetPath(std::string& text, int size, std::uint32_t flags) override {
        WIN32_FIND_DATAW ignored{};
        return Read(text, size,
                    [&](wchar_t* buffer) { return link_->GetPath(buffer, size, &ignored, flags); });
    }
    bool GetWorkingDirectory(std::string& text, int size) override {
        return Read(text, size,
                    [&](wchar_t* buffer) { return link_->GetWorkingDirectory(buffer, size); });
    }
    bool GetArguments(std::string& text, int size) override {
        return Read(text, size, [&](wchar_t* buffer) { return link_->GetArguments(buffer, size); });
    }
    bool GetDescription(std::string& text, int size) override {
        return Read(text, size,
                    [&](wchar_t* buffer) { return link_->GetDescription(buffer, size); });
    }
    bool GetHotkey(std::uint16_t* hotKey) override {
        WORD value = 0;
        if (FAILED(link_->GetHotkey(&value))) {
            return false;
        }
        *hotKey = value;
        return true;
    }
    bool GetIconLocation(std::string& text, int size, int* index) override {
        return Read(text, size,
                    [&](wchar_t* buffer) { return link_->GetIconLocation(buffer, size, index); });
    }
    bool GetShowCmd(int* showCommand) override { return SUCCEEDED(link_->GetShowCmd(showCommand)); }

private:
    // A getter's text: the shell fills a wide buffer of `size` characters,
    // whose text up to the NUL lands at the start of `text`.
    template <typename Getter>
    static bool Read(std::string& text, int size, Getter getter) {
        if (size <= 0) {
            return false;
        }
        std::wstring buffer(static_cast<std::size_t>(size), L'\0');
        if (FAILED(getter(buffer.data()))) {
            return false;
        }
        buffer.back() = L'\0';  // whatever the shell wrote, the text ends here
        FillBuffer(text, NarrowToNul(buffer));
        return true;
    }

    ComPtr<IShellLinkW> link_;
    ComPtr<IPersistFile> file_;
};

// The shell's functions (shell32): the notification icon at the start, the
// rest for the options, the about box and the help.
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

// HKEY_CURRENT_USER and the other predefined keys are 32-bit values that
// the system sign-extends on 64-bit builds.
HKEY PredefinedKey(std::uintptr_t root) {
    const auto value = static_cast<std::uint32_t>(root);
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(value)));
}

}  // namespace

Win32Shell::~Win32Shell() {
    for (const auto& [hwnd, hook] : hooks_) {
        if (::IsWindow(hwnd)) {
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
            ::RemovePropW(hwnd, kHookProperty);
        }
    }
}

bool Win32Shell::NotifyIcon(int message, const platform::NotifyIconData& data) {
    NOTIFYICONDATAW record{};
    // The Windows 2000 layout: everything the program fills is in it.
    record.cbSize = NOTIFYICONDATAW_V2_SIZE;
    record.hWnd = ToHwnd(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = reinterpret_cast<HICON>(data.hIcon);
    // At most 63 characters, as the record's text always held.
    constexpr int kTipCharacters = 64;
    ::lstrcpynW(record.szTip, Widen(data.szTip).c_str(), kTipCharacters);
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return false;
    }
    TimingProbe* probe = runtime_.pump.Probe();
    const LONGLONG callStart = probe != nullptr ? TimingProbe::Counter() : 0;
    const bool done = shell->Shell_NotifyIconW(static_cast<DWORD>(message), &record) != FALSE;
    if (done && message == NIM_ADD && probe != nullptr) {
        probe->IconAdded(record.hWnd, callStart);
    }
    return done;
}

platform::IconHandle Win32Shell::WindowIcon(platform::WindowHandle window) {
    HWND hwnd = ToHwnd(window);
    if (hwnd == nullptr) {
        return 0;
    }
    // The program's windows show their class's icon, resource 1.
    ULONG_PTR icon = ::GetClassLongPtrW(hwnd, GCLP_HICONSM);
    if (icon == 0) {
        icon = ::GetClassLongPtrW(hwnd, GCLP_HICON);
    }
    return static_cast<platform::IconHandle>(icon);
}

platform::PrevProc Win32Shell::SetWindowProc(platform::WindowHandle window,
                                             platform::WindowProc procedure) {
    HWND hwnd = ToHwnd(window);
    if (!::IsWindow(hwnd) || !procedure) {
        return 0;
    }
    auto shared = std::make_shared<platform::WindowProc>(std::move(procedure));
    if (auto hooked = hooks_.find(hwnd); hooked != hooks_.end()) {
        // Chaining to the thunk itself would recurse without end.
        hooked->second.procedure = std::move(shared);
        return reinterpret_cast<platform::PrevProc>(hooked->second.previous);
    }
    ::SetPropW(hwnd, kHookProperty, this);
    ::SetLastError(0);
    const LONG_PTR previous =
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedWindowProc));
    if (previous == 0 && ::GetLastError() != 0) {
        ::RemovePropW(hwnd, kHookProperty);
        return 0;
    }
    hooks_[hwnd] = Hook{std::move(shared), reinterpret_cast<WNDPROC>(previous)};
    return static_cast<platform::PrevProc>(previous);
}

void Win32Shell::RestoreWindowProc(platform::WindowHandle window, platform::PrevProc previous) {
    HWND hwnd = ToHwnd(window);
    if (previous == 0 || !::IsWindow(hwnd)) {
        return;
    }
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
    Forget(hwnd);
}

void Win32Shell::Forget(HWND hwnd) {
    if (hooks_.erase(hwnd) != 0) {
        ::RemovePropW(hwnd, kHookProperty);
    }
}

LRESULT CALLBACK Win32Shell::HookedWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* shell = static_cast<Win32Shell*>(::GetPropW(hwnd, kHookProperty));
    if (shell == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    const auto hooked = shell->hooks_.find(hwnd);
    if (hooked == shell->hooks_.end()) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // Copies: the procedure may unhook the window while it runs.
    const std::shared_ptr<platform::WindowProc> procedure = hooked->second.procedure;
    const WNDPROC previous = hooked->second.previous;
    LRESULT result = 0;
    bool completed = false;
    shell->runtime_.pump.Invoke([&] {
        result =
            (*procedure)(reinterpret_cast<platform::WindowHandle>(hwnd), message, wParam, lParam);
        completed = true;
    });
    if (!completed) {
        // The program's procedure failed: the message still gets the
        // window's own handling.
        result = ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        shell->Forget(hwnd);
    }
    return result;
}

std::intptr_t Win32Shell::CallWindowProc(platform::PrevProc previous, platform::WindowHandle window,
                                         unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam) {
    if (previous == 0) {
        return 0;
    }
    return ::CallWindowProcW(reinterpret_cast<WNDPROC>(previous), ToHwnd(window), message, wParam,
                             lParam);
}

unsigned Win32Shell::RegisterWindowMessage(const std::string& name) {
    return ::RegisterWindowMessageW(Widen(name).c_str());
}

int Win32Shell::SpecialFolderLocation(platform::WindowHandle owner, int folder,
                                      platform::ItemIdList* list) {
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return static_cast<int>(E_FAIL);
    }
    // The folders may be found through the shell's components.
    runtime_.apartment.Enter();
    PIDLIST_ABSOLUTE found = nullptr;
    const HRESULT result = shell->SHGetSpecialFolderLocation(ToHwnd(owner), folder, &found);
    if (SUCCEEDED(result)) {
        *list = reinterpret_cast<platform::ItemIdList>(found);
    }
    return static_cast<int>(result);
}

int Win32Shell::PathFromIdList(platform::ItemIdList list, std::string& buffer) {
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return 0;
    }
    std::wstring path(MAX_PATH, L'\0');
    if (!shell->SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(list), path.data())) {
        return 0;
    }
    FillBuffer(buffer, NarrowToNul(path));
    return 1;
}

void Win32Shell::FreeIdList(platform::ItemIdList list) {
    // A list comes from SpecialFolderLocation, which entered the apartment.
    if (const ComponentObjects* com = runtime_.apartment.Enter()) {
        com->CoTaskMemFree(reinterpret_cast<void*>(list));
    }
}

std::unique_ptr<platform::ShellLinkObject> Win32Shell::CreateShellLink() {
    const ComponentObjects* com = runtime_.apartment.Enter();
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (com == nullptr ||
        FAILED(com->CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IShellLinkW, link.PutVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.PutVoid()))) {
        return nullptr;
    }
    return std::make_unique<Win32ShellLink>(std::move(link), std::move(file));
}

std::intptr_t Win32Shell::Execute(platform::WindowHandle window, const std::string& operation,
                                  const std::string& file, const std::string& parameters,
                                  const std::string& directory, int showCommand) {
    const ShellFunctions* shell = ShellLibrary();
    if (shell == nullptr) {
        return 0;  // as ShellExecuteW says the system lacks resources
    }
    // The file's handler may be a component of the shell.
    runtime_.apartment.Enter();
    const std::wstring wideOperation = Widen(operation);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideDirectory = Widen(directory);
    HINSTANCE result = shell->ShellExecuteW(ToHwnd(window), OptionalText(wideOperation),
                                            Widen(file).c_str(), OptionalText(wideParameters),
                                            OptionalText(wideDirectory), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::DeleteFile(const std::string& path) {
    return ::DeleteFileW(Widen(path).c_str()) != FALSE;
}

bool Win32Registry::ReadString(std::uintptr_t root, const std::string& key, const std::string& name,
                               std::string* value) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(PredefinedKey(root), Widen(key).c_str(), 0, KEY_QUERY_VALUE, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    UniqueRegistryKey owned(opened);
    const std::wstring valueName = Widen(name);
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(owned.Get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    // Room for a NUL that the stored value may lack.
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(owned.Get(), valueName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;
    }
    text.back() = L'\0';
    *value = NarrowToNul(std::wstring(text.data(), text.size()));
    return true;
}

}  // namespace win32
