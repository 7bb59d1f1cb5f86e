#include "shell/TrayIcon.h"

namespace shell {

TrayIcon::TrayIcon(platform::Platform& platform, platform::Window& window)
    : platform_(platform),
      window_(window),
      watch_(window.AddTimer()),
      icon_(platform.ShellServices().CreateNotificationIcon(window, window.Caption(), *this)) {
    Add();
    watch_.SetEnabled(false);
    watch_.SetInterval(kWatchInterval);
    watch_.SetOnTick([this] { Watch(); });
}

TrayIcon::~TrayIcon() {
    watch_.SetEnabled(false);
    watch_.SetOnTick({});
}

void TrayIcon::Add() {
    shown_ = icon_->Add();
}

void TrayIcon::HideWindow() {
    if (!IconStillThere())
        return;
    window_.Hide();
    watch_.SetEnabled(true);
}

// The shell may have gone, or come back without saying so, since the icon
// was added. Then the icon is added again, and only an icon the shell took
// lets the window hide.
bool TrayIcon::IconStillThere() {
    shown_ = icon_->StillThere();
    if (!shown_)
        Add();
    return shown_;
}

void TrayIcon::KeepWindowReachable() {
    if (window_.Visible())
        return;
    if (shown_)
        watch_.SetEnabled(true);
    else
        window_.Show();
}

void TrayIcon::Watch() {
    if (window_.Visible()) {
        watch_.SetEnabled(false);
        return;
    }
    IconStillThere();
    KeepWindowReachable();
}

void TrayIcon::IconDoubleClicked() {
    window_.Show();
    platform_.Windows().ActivateByTitle(window_.Caption());
}

// Should the shell refuse the icon again, a hidden window comes back on
// screen, for nothing else could bring it back.
void TrayIcon::ShellRestarted() {
    Add();
    KeepWindowReachable();
}

}  // namespace shell
