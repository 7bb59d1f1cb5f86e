// Shell services, as the program asks for them: an icon in the notification
// area, the user's Startup folder, shortcut files, opening an address, and
// reading a text from the registry.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace platform {

class Window;

// How a started program's window first shows.
enum class ShowCommand { kNormal, kMaximized, kMinimizedNoActivate, kDefault };

// What a shortcut file says.
struct Shortcut {
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string description;
    std::string iconFile;
    int iconIndex = 0;
    // The hot key: a key code with its shift state (1 Shift, 2 Ctrl, 4 Alt);
    // none when the key code is 0.
    int hotKeyCode = 0;
    int hotKeyShift = 0;
    // Shortcuts know three: another show command reads as kNormal.
    ShowCommand show = ShowCommand::kNormal;
};

// What became of opening an address.
enum class LaunchResult {
    kDone,
    kOutOfMemory,
    kFileNotFound,
    kPathNotFound,
    kAccessDenied,
    kBadFormat,
    kSharingViolation,
    kIncompleteAssociation,
    kDdeTimeout,
    kDdeFailed,
    kDdeBusy,
    kNoAssociation,
    kLibraryNotFound,
    kOtherFailure,
};

// What the shell reports about an icon: both arrive as the program's events.
class NotificationIconEvents {
public:
    virtual ~NotificationIconEvents() = default;
    // The user double-clicked the icon with the left button.
    virtual void IconDoubleClicked() = 0;
    // The shell started again (its task bar came back), without the icon.
    virtual void ShellRestarted() = 0;
};

// A window's icon in the notification area: its window's own icon, with a
// tip. It reports to its events from its first Add until it is destroyed,
// which removes it from the notification area.
class NotificationIcon {
public:
    virtual ~NotificationIcon() = default;
    // Hands the icon to the shell; false when the shell refuses it.
    virtual bool Add() = 0;
    // Whether the shell still has the icon: a shell that restarted without
    // a word has lost it.
    virtual bool StillThere() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;

    // The icon of `window` with `tip` (at most 63 characters are shown), not
    // yet added. `events` must outlive it.
    virtual std::unique_ptr<NotificationIcon> CreateNotificationIcon(
        Window& window, const std::string& tip, NotificationIconEvents& events) = 0;

    // The current user's Startup folder, without a trailing separator; none
    // when the shell has none. `owner` is the window that asks.
    virtual std::optional<std::string> StartupFolder(Window& owner) = 0;

    // Writes the shortcut file `file`, replacing one of that name; false
    // when it could not.
    virtual bool WriteShortcut(const std::string& file, const Shortcut& shortcut) = 0;
    // The shortcut in `file`; none when no shortcut the shell can read is
    // there. Raises a run-time error when the shell cannot read shortcuts
    // at all.
    virtual std::optional<Shortcut> ReadShortcut(const std::string& file) = 0;
    // Deletes a file; false when it could not, none there included.
    virtual bool DeleteShortcut(const std::string& file) = 0;

    // Opens a document or an address (a web site, "mailto: ...") with a
    // verb such as "open".
    virtual LaunchResult Launch(const std::string& address, const std::string& verb,
                                ShowCommand show) = 0;
};

// The registry's roots the program may read under.
enum class RegistryRoot { kCurrentUser, kLocalMachine, kUsers };

class Registry {
public:
    virtual ~Registry() = default;
    // The text value `name` of `key` under `root`; none when the key or
    // value is missing or no text.
    virtual std::optional<std::string> ReadString(RegistryRoot root, const std::string& key,
                                                  const std::string& name) = 0;
};

}  // namespace platform
