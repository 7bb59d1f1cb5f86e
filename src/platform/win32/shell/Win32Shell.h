// The shell services of the Win32 platform: the notification icon
// (mSysTray), the Startup folder, shortcut files (cShellLink), opening
// addresses, and reading the registry.
#pragma once

#include <memory>
#include <string>

#include "platform/Shell.h"
#include "platform/win32/Runtime.h"

namespace win32 {

// The file-system path of a shell special folder (a CSIDL_ number), without
// a trailing separator, or empty text when it cannot be had.
std::string SpecialFolderPath(ComApartment& apartment, HWND owner, int folder);

class Win32Shell final : public platform::Shell {
public:
    explicit Win32Shell(Runtime& runtime) : runtime_(runtime) {}

    std::unique_ptr<platform::NotificationIcon> CreateNotificationIcon(
        platform::Window& window, const std::string& tip,
        platform::NotificationIconEvents& events) override;
    std::optional<std::string> StartupFolder(platform::Window& owner) override;
    bool WriteShortcut(const std::string& file, const platform::Shortcut& shortcut) override;
    std::optional<platform::Shortcut> ReadShortcut(const std::string& file) override;
    bool DeleteShortcut(const std::string& file) override;
    platform::LaunchResult Launch(const std::string& address, const std::string& verb,
                                  platform::ShowCommand show) override;

private:
    Runtime& runtime_;
};

class Win32Registry final : public platform::Registry {
public:
    std::optional<std::string> ReadString(platform::RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
};

}  // namespace win32
