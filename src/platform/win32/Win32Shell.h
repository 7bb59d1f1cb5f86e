// The shell services of the Win32 platform: the notification area, window
// procedures replaced for real, special folders, the shell's shortcut
// object, launching documents, files and reading the registry.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Shell.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class Win32Shell final : public platform::Shell {
public:
    explicit Win32Shell(Runtime& runtime) : runtime_(runtime) {}
    // Gives every window still hooked its previous procedure back.
    ~Win32Shell() override;
    Win32Shell(const Win32Shell&) = delete;
    Win32Shell& operator=(const Win32Shell&) = delete;

    bool NotifyIcon(int message, const platform::NotifyIconData& data) override;
    platform::IconHandle WindowIcon(platform::WindowHandle window) override;

    // The window's procedure becomes a thunk that calls `procedure`. A window
    // is hooked once at a time: hooking it again only changes the procedure
    // and answers the same previous one.
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

private:
    struct Hook {
        // Shared: a running procedure survives its own unhooking.
        std::shared_ptr<platform::WindowProc> procedure;
        WNDPROC previous;
    };

    static LRESULT CALLBACK HookedWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Forget(HWND hwnd);

    Runtime& runtime_;
    std::unordered_map<HWND, Hook> hooks_;
};

class Win32Registry final : public platform::Registry {
public:
    bool ReadString(std::uintptr_t root, const std::string& key, const std::string& name,
                    std::string* value) override;
};

}  // namespace win32
