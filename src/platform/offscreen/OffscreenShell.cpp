#include "platform/offscreen/OffscreenShell.h"

#include <algorithm>

#include "platform/Window.h"

namespace offscreen {

class OffscreenShell::Icon : public platform::NotificationIcon {
public:
    Icon(OffscreenShell& shell, IconRecord record, platform::NotificationIconEvents& events)
        : shell_(shell), record_(std::move(record)), events_(events) {
        shell_.icons_.push_back(this);
    }
    ~Icon() override {
        shell_.journal_.push_back("remove");
        auto& icons = shell_.icons_;
        icons.erase(std::find(icons.begin(), icons.end(), this));
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    bool Add() override {
        shell_.journal_.push_back("add");
        if (shell_.refuseIcons_ || shown_)
            return false;
        shown_ = true;
        return true;
    }
    bool StillThere() override {
        shell_.journal_.push_back("ask");
        return shown_;
    }

    const IconRecord& Record() const { return record_; }
    bool Shown() const { return shown_; }
    void Forget() { shown_ = false; }
    platform::NotificationIconEvents& Events() { return events_; }

private:
    OffscreenShell& shell_;
    IconRecord record_;
    platform::NotificationIconEvents& events_;
    bool shown_ = false;
};

OffscreenShell::~OffscreenShell() = default;

std::vector<IconRecord> OffscreenShell::Icons() const {
    std::vector<IconRecord> shown;
    for (const Icon* icon : icons_) {
        if (icon->Shown())
            shown.push_back(icon->Record());
    }
    return shown;
}

void OffscreenShell::ForgetIcons() {
    for (Icon* icon : icons_)
        icon->Forget();
}

// A copy of the icons: their owners may remove them on the way.
void OffscreenShell::Restart() {
    ForgetIcons();
    for (Icon* icon : std::vector<Icon*>(icons_)) {
        if (std::count(icons_.begin(), icons_.end(), icon) != 0)
            icon->Events().ShellRestarted();
    }
}

void OffscreenShell::DoubleClickIcons() {
    for (Icon* icon : std::vector<Icon*>(icons_)) {
        if (std::count(icons_.begin(), icons_.end(), icon) != 0 && icon->Shown())
            icon->Events().IconDoubleClicked();
    }
}

std::unique_ptr<platform::NotificationIcon> OffscreenShell::CreateNotificationIcon(
    platform::Window& window, const std::string& tip, platform::NotificationIconEvents& events) {
    return std::make_unique<Icon>(*this, IconRecord{window.Handle(), tip}, events);
}

std::optional<std::string> OffscreenShell::StartupFolder(platform::Window&) {
    return files_.startupFolder;
}

bool OffscreenShell::WriteShortcut(const std::string& file, const platform::Shortcut& shortcut) {
    if (file.empty() || shortcut.target.empty())
        return false;
    files_.shortcuts[file] = shortcut;
    return true;
}

std::optional<platform::Shortcut> OffscreenShell::ReadShortcut(const std::string& file) {
    const auto found = files_.shortcuts.find(file);
    return found == files_.shortcuts.end() ? std::nullopt : found->second;
}

bool OffscreenShell::DeleteShortcut(const std::string& file) {
    return files_.shortcuts.erase(file) != 0;
}

platform::LaunchResult OffscreenShell::Launch(const std::string& address, const std::string& verb,
                                              platform::ShowCommand show) {
    launches_.push_back({address, verb, show});
    return launchResult_;
}

void OffscreenShell::SetRegistryString(platform::RegistryRoot root, const std::string& key,
                                       const std::string& name, const std::string& value) {
    registry_[{root, key, name}] = value;
}

std::optional<std::string> OffscreenShell::ReadString(platform::RegistryRoot root,
                                                      const std::string& key,
                                                      const std::string& name) {
    const auto found = registry_.find({root, key, name});
    if (found == registry_.end())
        return std::nullopt;
    return found->second;
}

}  // namespace offscreen
