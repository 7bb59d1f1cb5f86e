// The main window's notification-area icon: added when this object is made,
// deleted when it goes, with the window procedure hooked (mSysTray) for as
// long, so that the icon's double click and the shell's restart are seen.
#pragma once

#include "platform/Platform.h"
#include "shell/mSysTray.h"

namespace shell {

class TrayIcon {
public:
    // Adds the icon for `window`: its window icon and its caption as the tip.
    TrayIcon(platform::Platform& platform, platform::Window& window);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the shell took the icon, at the add and at every re-add.
    bool Shown() const { return shown_; }
    const platform::NotifyIconData& Data() const { return data_; }

    // Hidden, not minimised: only the icon remains, and it brings the
    // window back. Without the icon, asked of the shell at this moment, the
    // window stays shown.
    void HideWindow();
    // Shows the window when it is hidden without an icon to bring it back.
    void KeepWindowReachable();

private:
    void Add();
    bool IconStillThere();
    // The shell's task bar came back after a restart, without the icon.
    void AddAgain();
    void ShowWindow();

    platform::Platform& platform_;
    platform::Window& window_;
    platform::NotifyIconData data_;
    bool shown_ = false;
    mSysTray hook_;
};

}  // namespace shell
