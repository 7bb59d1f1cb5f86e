// The main window's notification-area icon: added when this object is made,
// removed when it goes; its double click brings the window back, and the
// shell's restart has it added again. While the window is hidden, the icon
// is also looked after every few seconds: a shell can restart without a
// word (Wine's never says it).
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace shell {

class TrayIcon : private platform::NotificationIconEvents {
public:
    // Adds the icon for `window`: its window icon and its caption as the tip.
    TrayIcon(platform::Platform& platform, platform::Window& window);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the shell took the icon, at the add and at every re-add.
    bool Shown() const { return shown_; }

    // Hidden, not minimised: only the icon remains, and it brings the
    // window back. Without the icon, asked of the shell at this moment, the
    // window stays shown.
    void HideWindow();
    // Shows the window when it is hidden without an icon to bring it back;
    // with the icon, looks after it while the window stays hidden.
    void KeepWindowReachable();

    // How often a hidden window's icon is looked after.
    static constexpr int kWatchInterval = 5000;

private:
    // platform::NotificationIconEvents
    void IconDoubleClicked() override;
    void ShellRestarted() override;

    void Add();
    bool IconStillThere();
    // The shell may have lost the icon since the last look: it is added
    // again, and the window shown if the shell refuses it.
    void Watch();

    platform::Platform& platform_;
    platform::Window& window_;
    // Runs while the window is hidden.
    platform::Timer& watch_;
    std::unique_ptr<platform::NotificationIcon> icon_;
    bool shown_ = false;
};

}  // namespace shell
