#include "shell/TrayIcon.h"

namespace shell {

TrayIcon::TrayIcon(platform::Platform& platform, platform::Window& window)
    : platform_(platform),
      window_(window),
      watch_(window.AddTimer()),
      hook_(
          platform.ShellServices(), [this] { ShowWindow(); }, [this] { AddAgain(); }) {
    data_.hWnd = window.Handle();
    data_.uID = mSysTray::kIconId;
    data_.uFlags = platform::nif::kMessage | platform::nif::kIcon | platform::nif::kTip;
    data_.uCallbackMessage = mSysTray::kCallbackMessage;
    data_.hIcon = platform.ShellServices().WindowIcon(window.Handle());
    data_.szTip = window.Caption();
    Add();
    hook_.HookWindow(window.Handle());
    watch_.SetEnabled(false);
    watch_.SetInterval(kWatchInterval);
    watch_.SetOnTick([this] { Watch(); });
}

TrayIcon::~TrayIcon() {
    watch_.SetEnabled(false);
    watch_.SetOnTick({});
    hook_.UnhookWindow(window_.Handle());
    platform_.ShellServices().NotifyIcon(platform::nim::kDelete, data_);
}

void TrayIcon::Add() {
    shown_ = platform_.ShellServices().NotifyIcon(platform::nim::kAdd, data_);
}

// Should the shell refuse the icon again, a hidden window comes back on
// screen, for nothing else could bring it back.
void TrayIcon::AddAgain() {
    Add();
    KeepWindowReachable();
}

void TrayIcon::HideWindow() {
    if (!IconStillThere())
        return;
    window_.Hide();
    watch_.SetEnabled(true);
}

// The shell may have gone, or come back without saying so, since the icon
// was added: a change to an icon it does not know fails. Then the icon is
// added again, and only an icon the shell took lets the window hide.
bool TrayIcon::IconStillThere() {
    shown_ = platform_.ShellServices().NotifyIcon(platform::nim::kModify, data_);
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

void TrayIcon::ShowWindow() {
    window_.Show();
    platform_.Windows().ActivateByTitle(window_.Caption());
}

}  // namespace shell
