// Wine's notification area, as a user sees it. In the tests' virtual desktop
// it is the right end of the taskbar (explorer's window "Shell_TrayWnd"),
// which Wine shows only while there is a window or an icon to show in it.
// The icons are painted into the taskbar from its right end and have no
// window of their own, so they are found by their pixels.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// The screen rectangle of the rightmost icon painted in the notification
// area; none while the taskbar is hidden or shows no icon.
std::optional<RECT> FindNotificationIcon();
// How many icons the notification area shows: drawings between blank
// columns; 0 while the taskbar is hidden.
int NotificationIconCount();
// Waits until an icon is shown, or until none is.
std::optional<RECT> WaitForNotificationIcon();
bool WaitUntilNoNotificationIcon();

// Rests the pointer on `icon` and returns the tip that Wine shows for it;
// empty if no tip appears.
std::wstring NotificationTip(const RECT& icon);

POINT Centre(const RECT& rect);

}  // namespace e2e
