// The shell services of the offscreen platform, as records: the icons in the
// notification area, the user's Startup folder and shortcut files, the
// addresses opened, and the registry's texts.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/Shell.h"
#include "platform/Types.h"

namespace offscreen {

// A shortcut file: its record, or none for a file there that the shell
// cannot read (a broken or oversized file, a folder of that name).
using ShortcutFile = std::optional<platform::Shortcut>;

// The user's files that the shell serves; a test keeps them across runs of
// the program.
struct UserFiles {
    // None for a shell without a Startup folder.
    std::optional<std::string> startupFolder = "C:\\Users\\Caisse\\Menu D\xC3\xA9marrer\\Startup";
    // By full path.
    std::map<std::string, ShortcutFile> shortcuts;
};

struct IconRecord {
    platform::WindowHandle window;
    std::string tip;
};

struct LaunchRecord {
    std::string address;
    std::string verb;
    platform::ShowCommand show;
};

class OffscreenShell : public platform::Shell, public platform::Registry {
public:
    explicit OffscreenShell(UserFiles files) : files_(std::move(files)) {}
    ~OffscreenShell() override;
    OffscreenShell(const OffscreenShell&) = delete;
    OffscreenShell& operator=(const OffscreenShell&) = delete;

    UserFiles& Files() { return files_; }

    // The icons the notification area shows, in the order they came.
    std::vector<IconRecord> Icons() const;
    // Makes the notification area refuse new icons, as a missing shell would.
    void SetRefuseIcons(bool refuse) { refuseIcons_ = refuse; }
    // The shell loses its icons without a word.
    void ForgetIcons();
    // The shell restarts: its icons are gone, and their owners are told.
    void Restart();
    // The user double-clicks the icons shown.
    void DoubleClickIcons();
    // What the program asked of the notification area, in order: "add",
    // "ask" (whether an icon is still there) and "remove".
    const std::vector<std::string>& Journal() const { return journal_; }

    const std::vector<LaunchRecord>& Launches() const { return launches_; }
    void SetLaunchResult(platform::LaunchResult result) { launchResult_ = result; }
    void SetRegistryString(platform::RegistryRoot root, const std::string& key,
                           const std::string& name, const std::string& value);

    // platform::Shell
    std::unique_ptr<platform::NotificationIcon> CreateNotificationIcon(
        platform::Window& window, const std::string& tip,
        platform::NotificationIconEvents& events) override;
    std::optional<std::string> StartupFolder(platform::Window& owner) override;
    bool WriteShortcut(const std::string& file, const platform::Shortcut& shortcut) override;
    std::optional<platform::Shortcut> ReadShortcut(const std::string& file) override;
    bool DeleteShortcut(const std::string& file) override;
    platform::LaunchResult Launch(const std::string& address, const std::string& verb,
                                  platform::ShowCommand show) override;

    // platform::Registry
    std::optional<std::string> ReadString(platform::RegistryRoot root, const std::string& key,
                                          const std::string& name) override;

private:
    class Icon;

    UserFiles files_;
    // Every icon the program holds, shown or not.
    std::vector<Icon*> icons_;
    bool refuseIcons_ = false;
    std::vector<std::string> journal_;
    std::vector<LaunchRecord> launches_;
    platform::LaunchResult launchResult_ = platform::LaunchResult::kDone;
    std::map<std::tuple<platform::RegistryRoot, std::string, std::string>, std::string> registry_;
};

}  // namespace offscreen
