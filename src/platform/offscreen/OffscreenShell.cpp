#include "platform/offscreen/OffscreenShell.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/UnicodeText.h"
#include "platform/offscreen/ShellLinkFile.h"

namespace offscreen {
namespace {

constexpr int kStartupFolder = 7;  // CSIDL_STARTUP

// Copies a text into a fixed buffer of `size` characters, NUL-terminated and
// cut as the shell cuts it: after size - 1 UTF-16 code units, as the Win32
// platform's wide buffers hold them (half a surrogate pair becomes U+FFFD).
bool Fill(std::string& buffer, int size, const std::string& text) {
    if (size <= 0)
        return false;
    std::u16string wide = platform::Utf8ToUtf16(text);
    wide.resize(std::min(wide.size(), static_cast<std::size_t>(size - 1)));
    std::string value = platform::Utf16ToUtf8(wide);
    buffer.resize(std::max<std::size_t>(buffer.size(), value.size() + 1), ' ');
    buffer.replace(0, value.size() + 1, value + '\0');
    return true;
}

// The shortcut object over a real file in the shortcut format.
class OffscreenShellLink : public platform::ShellLinkObject {
public:
    bool SetPath(const std::string& path) override { return Set(link_.target, path); }
    bool SetWorkingDirectory(const std::string& d) override {
        return Set(link_.workingDirectory, d);
    }
    bool SetArguments(const std::string& a) override { return Set(link_.arguments, a); }
    bool SetDescription(const std::string& d) override { return Set(link_.description, d); }
    bool SetIconLocation(const std::string& file, int index) override {
        link_.iconIndex = index;
        return Set(link_.iconLocation, file);
    }
    bool SetHotkey(std::uint16_t hotKey) override {
        link_.hotKey = hotKey;
        return true;
    }
    bool SetShowCmd(int showCommand) override {
        link_.showCommand = static_cast<std::uint32_t>(showCommand);
        return true;
    }
    bool Resolve(platform::WindowHandle, std::uint32_t) override { return true; }

    bool Save(const std::string& file, bool) override {
        std::ofstream out(OffscreenShell::NativePath(file), std::ios::binary | std::ios::trunc);
        std::vector<std::uint8_t> bytes = EncodeShellLink(link_);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    }
    bool Load(const std::string& file, std::uint32_t) override {
        std::ifstream in(OffscreenShell::NativePath(file), std::ios::binary | std::ios::ate);
        if (!in)
            return false;
        // In one read: a shortcut with long texts holds some 250 kB.
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
        in.seekg(0);
        if (!in.read(reinterpret_cast<char*>(bytes.data()),
                     static_cast<std::streamsize>(bytes.size())))
            return false;
        std::optional<ShellLinkData> link = DecodeShellLink(bytes);
        if (!link)
            return false;
        link_ = *link;
        return true;
    }

    bool GetPath(std::string& text, int size, std::uint32_t) override {
        return Fill(text, size, link_.target);
    }
    bool GetWorkingDirectory(std::string& text, int size) override {
        return Fill(text, size, link_.workingDirectory);
    }
    bool GetArguments(std::string& text, int size) override {
        return Fill(text, size, link_.arguments);
    }
    bool GetDescription(std::string& text, int size) override {
        return Fill(text, size, link_.description);
    }
    bool GetHotkey(std::uint16_t* hotKey) override {
        *hotKey = link_.hotKey;
        return true;
    }
    bool GetIconLocation(std::string& text, int size, int* index) override {
        *index = link_.iconIndex;
        return Fill(text, size, link_.iconLocation);
    }
    bool GetShowCmd(int* showCommand) override {
        *showCommand = static_cast<int>(link_.showCommand);
        return true;
    }

private:
    static bool Set(std::string& field, const std::string& value) {
        field = value;
        return true;
    }
    ShellLinkData link_;
};

}  // namespace

OffscreenShell::OffscreenShell(ShellWindows& windows, std::string profile)
    : windows_(windows), profile_(std::move(profile)) {}

std::string OffscreenShell::NativePath(const std::string& path) {
    std::string native = path;
    for (char& c : native) {
        if (c == '\\')
            c = '/';
    }
    return native;
}

bool OffscreenShell::NotifyIcon(int message, const platform::NotifyIconData& data) {
    static const char* const kVerbs[] = {"add", "modify", "delete"};
    if (message >= 0 && message <= 2) {
        journal_.push_back(std::string(kVerbs[message]) + " " + std::to_string(data.uID));
    }
    switch (message) {
        case platform::nim::kAdd:
            if (refuseIcons_ || icons_.count(data.uID) != 0)
                return false;
            icons_[data.uID] = data;
            return true;
        case platform::nim::kModify:
            if (icons_.count(data.uID) == 0)
                return false;
            icons_[data.uID] = data;
            return true;
        case platform::nim::kDelete:
            return icons_.erase(data.uID) != 0;
        default:
            return false;
    }
}

platform::IconHandle OffscreenShell::WindowIcon(platform::WindowHandle window) {
    // Every window shows the program's icon.
    return window == 0 ? 0 : 0x1C0;
}

platform::PrevProc OffscreenShell::SetWindowProc(platform::WindowHandle window,
                                                 platform::WindowProc procedure) {
    platform::WindowProc* slot = windows_.ProcedureOf(window);
    if (slot == nullptr)
        return 0;
    journal_.push_back("hook");
    platform::PrevProc previous = nextProc_++;
    savedProcs_[previous] = std::move(*slot);
    *slot = std::move(procedure);
    return previous;
}

void OffscreenShell::RestoreWindowProc(platform::WindowHandle window, platform::PrevProc previous) {
    platform::WindowProc* slot = windows_.ProcedureOf(window);
    auto saved = savedProcs_.find(previous);
    if (slot == nullptr || saved == savedProcs_.end())
        return;
    journal_.push_back("unhook");
    *slot = saved->second;
}

std::intptr_t OffscreenShell::CallWindowProc(platform::PrevProc previous,
                                             platform::WindowHandle window, unsigned message,
                                             std::uintptr_t wParam, std::intptr_t lParam) {
    auto saved = savedProcs_.find(previous);
    if (saved == savedProcs_.end() || !saved->second)
        return 0;
    return saved->second(window, message, wParam, lParam);
}

std::intptr_t OffscreenShell::SendMessage(platform::WindowHandle window, unsigned message,
                                          std::uintptr_t wParam, std::intptr_t lParam) {
    platform::WindowProc* slot = windows_.ProcedureOf(window);
    if (slot == nullptr || !*slot)
        return 0;
    // A copy: the procedure may replace itself while it runs.
    platform::WindowProc procedure = *slot;
    return procedure(window, message, wParam, lParam);
}

bool OffscreenShell::RaiseIconEvent(std::uint32_t id, unsigned mouseMessage) {
    auto icon = icons_.find(id);
    if (icon == icons_.end())
        return false;
    const platform::NotifyIconData data = icon->second;
    if ((data.uFlags & platform::nif::kMessage) == 0)
        return true;
    SendMessage(data.hWnd, data.uCallbackMessage, data.uID, mouseMessage);
    return true;
}

unsigned OffscreenShell::RegisterWindowMessage(const std::string& name) {
    auto found = messages_.find(name);
    if (found != messages_.end())
        return found->second;
    unsigned message = 0xC000 + static_cast<unsigned>(messages_.size());
    messages_[name] = message;
    return message;
}

int OffscreenShell::SpecialFolderLocation(platform::WindowHandle, int folder,
                                          platform::ItemIdList* list) {
    constexpr int kFileNotFound = static_cast<int>(0x80070002u);
    if (folder != kStartupFolder || profile_.empty())
        return kFileNotFound;
    std::string path = profile_ + "/Startup";
    if (!std::filesystem::is_directory(path))
        return kFileNotFound;
    *list = nextIdList_++;
    idLists_[*list] = path;
    return 0;
}

int OffscreenShell::PathFromIdList(platform::ItemIdList list, std::string& buffer) {
    auto found = idLists_.find(list);
    if (found == idLists_.end())
        return 0;
    return Fill(buffer, platform::kMaxPath, found->second) ? 1 : 0;
}

void OffscreenShell::FreeIdList(platform::ItemIdList list) {
    idLists_.erase(list);
}

std::unique_ptr<platform::ShellLinkObject> OffscreenShell::CreateShellLink() {
    return std::make_unique<OffscreenShellLink>();
}

std::intptr_t OffscreenShell::Execute(platform::WindowHandle window, const std::string& operation,
                                      const std::string& file, const std::string& parameters,
                                      const std::string& directory, int showCommand) {
    launches_.push_back({window, operation, file, parameters, directory, showCommand});
    return launchResult_;
}

bool OffscreenShell::DeleteFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::remove(NativePath(path), error);
}

void OffscreenShell::SetRegistryString(std::uintptr_t root, const std::string& key,
                                       const std::string& name, const std::string& value) {
    registry_[{root, key, name}] = value;
}

bool OffscreenShell::ReadString(std::uintptr_t root, const std::string& key,
                                const std::string& name, std::string* value) {
    auto found = registry_.find({root, key, name});
    if (found == registry_.end())
        return false;
    *value = found->second;
    return true;
}

}  // namespace offscreen
