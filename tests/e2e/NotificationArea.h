// Wine's notification area, as a user sees it. In the tests' virtual desktop
// it is the right end of the taskbar (explorer's window "Shell_TrayWnd"),
// which Wine shows only while there is a window or an icon to show in it.
// The icons are painted into the taskbar from its right end and have no
// window of their own, so they are found by their pixels.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

namespace e2e {

// The icons that the notification area shows, left to right: drawings
// between blank columns, boxed to their drawn rows; none while the taskbar
// is hidden.
std::vector<RECT> NotificationIcons();
// Waits until an icon is shown (the rightmost), or until none is.
std::optional<RECT> WaitForNotificationIcon();
bool WaitUntilNoNotificationIcon();

// What a shell does to the program's icon, played from outside.
// The icon of `owner` with identifier `id` goes, as it does when the shell
// restarts: the program is not told.
bool RemoveNotificationIcon(HWND owner, UINT id);
// Tells every top-level window that the task bar is back, as a restarted
// shell does on Windows (Wine's never does).
void BroadcastTaskbarCreated();

// While it lives, the program finds a notification area that refuses every
// icon, as though the shell had gone: a window of the task bar's class,
// never shown, in front of Wine's, that answers every request with FALSE.
// It runs in a thread of its own, since the program's requests wait on it.
class RefusingNotificationArea {
public:
    RefusingNotificationArea();
    ~RefusingNotificationArea();
    RefusingNotificationArea(const RefusingNotificationArea&) = delete;
    RefusingNotificationArea& operator=(const RefusingNotificationArea&) = delete;

    // How many requests it refused.
    int Refused() const { return refused_; }

private:
    void Run(HANDLE ready);

    std::atomic<int> refused_{0};
    HWND window_ = nullptr;
    std::thread thread_;
};

}  // namespace e2e
