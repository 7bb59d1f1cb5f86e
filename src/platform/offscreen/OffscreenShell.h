// The shell services of the offscreen platform: a notification area that
// keeps the records it is handed, window procedures that really replace and
// chain, special folders under a profile folder, shortcut files in the real
// shortcut format, a launcher that records launches, and a registry.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Shell.h"

namespace offscreen {

struct Launch {
    platform::WindowHandle window;
    std::string operation;
    std::string file;
    std::string parameters;
    std::string directory;
    int showCommand;
};

// What the shell needs of the platform's windows.
class ShellWindows {
public:
    virtual ~ShellWindows() = default;
    // The procedure slot of a window, or null for an unknown handle.
    virtual platform::WindowProc* ProcedureOf(platform::WindowHandle window) = 0;
};

class OffscreenShell : public platform::Shell, public platform::Registry {
public:
    // `profile`: the folder that holds the user's special folders
    // (profile/Startup); empty for none.
    OffscreenShell(ShellWindows& windows, std::string profile);

    // The icons in the notification area, by identifier.
    const std::map<std::uint32_t, platform::NotifyIconData>& Icons() const { return icons_; }
    // Makes the notification area refuse new icons, as a missing shell would.
    void SetRefuseIcons(bool refuse) { refuseIcons_ = refuse; }
    // The shell restarted: its icons are gone.
    void ForgetIcons() { icons_.clear(); }
    // Sends a message through a window's current procedure.
    std::intptr_t SendMessage(platform::WindowHandle window, unsigned message,
                              std::uintptr_t wParam, std::intptr_t lParam);
    // The shell's report of a mouse event on an icon, as its owner sees it.
    bool RaiseIconEvent(std::uint32_t id, unsigned mouseMessage);

    // The icon and window-procedure calls, in order: "add 61860",
    // "hook", "unhook", "delete 61860".
    const std::vector<std::string>& Journal() const { return journal_; }
    const std::vector<Launch>& Launches() const { return launches_; }
    void SetLaunchResult(std::intptr_t result) { launchResult_ = result; }
    void SetRegistryString(std::uintptr_t root, const std::string& key, const std::string& name,
                           const std::string& value);
    // The file-system path a program path names: separators made native.
    static std::string NativePath(const std::string& path);

    // platform::Shell
    bool NotifyIcon(int message, const platform::NotifyIconData& data) override;
    platform::IconHandle WindowIcon(platform::WindowHandle window) override;
    platform::PrevProc SetWindowProc(platform::WindowHandle window,
                                     platform::WindowProc procedure) override;
    void RestoreWindowProc(platform::WindowHandle window, platform::PrevProc previous) override;
    std::intptr_t CallWindowProc(platform::PrevProc previous, platform::WindowHandle window,
                                 unsigned message, std::uintptr_t wParam,
                                 std::intptr_t lParam) override;
    unsigned RegisterWindowMessage(const std::string& name) override;
    int SpecialFolderLocation(platform::WindowHandle owner, int folder,
                              platform::ItemIdList* list) override;
    int PathFromIdList(platform::ItemIdList list, std::string& buffer) override;
    void FreeIdList(platform::ItemIdList list) override;
    std::unique_ptr<platform::ShellLinkObject> CreateShellLink() override;
    std::intptr_t Execute(platform::WindowHandle window, const std::string& operation,
                          const std::string& file, const std::string& parameters,
                          const std::string& directory, int showCommand) override;
    bool DeleteFile(const std::string& path) override;

    // platform::Registry
    bool ReadString(std::uintptr_t root, const std::string& key, const std::string& name,
                    std::string* value) override;

private:
    ShellWindows& windows_;
    std::string profile_;
    std::map<std::uint32_t, platform::NotifyIconData> icons_;
    bool refuseIcons_ = false;
    std::map<platform::PrevProc, platform::WindowProc> savedProcs_;
    platform::PrevProc nextProc_ = 1;
    std::map<std::string, unsigned> messages_;
    std::map<platform::ItemIdList, std::string> idLists_;
    platform::ItemIdList nextIdList_ = 1;
    std::vector<std::string> journal_;
    std::vector<Launch> launches_;
    std::intptr_t launchResult_ = 42;
    std::map<std::tuple<std::uintptr_t, std::string, std::string>, std::string> registry_;
};

}  // namespace offscreen
