#include "NotificationArea.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "Desktop.h"

namespace e2e {

namespace {

constexpr wchar_t kTaskbarClass[] = L"Shell_TrayWnd";

// Wine's: a refusing stand-in of the same class is never shown.
HWND ShownTaskbar() {
    HWND taskbar = nullptr;
    while ((taskbar = FindWindowExW(nullptr, taskbar, kTaskbarClass, nullptr)) != nullptr) {
        if (IsWindowVisible(taskbar)) {
            return taskbar;
        }
    }
    return nullptr;
}

// The stand-in counts what it refuses in the atomic its creation names.
LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    } else if (message == WM_COPYDATA) {
        ++*reinterpret_cast<std::atomic<int>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return FALSE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<RECT> NotificationIcons() {
    // The part of the taskbar right of its buttons (the start button and
    // one per window).
    HWND taskbar = ShownTaskbar();
    RECT area = taskbar != nullptr ? WindowRect(taskbar) : RECT{};
    for (HWND button : taskbar != nullptr ? ChildWindows(taskbar) : std::vector<HWND>()) {
        if (IsWindowVisible(button)) {
            area.left = std::max(area.left, WindowRect(button).right);
        }
    }
    const int width = area.right - area.left;
    const std::vector<COLORREF> pixels = ScreenPixels(area);
    std::vector<RECT> drawings;
    for (int x = 0; x < width && !pixels.empty(); ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            const size_t at = static_cast<size_t>((y - area.top) * width + x);
            if (pixels[at] == pixels[static_cast<size_t>(width - 1)]) {
                continue;  // the ground, as at the top right
            }
            if (drawings.empty() || drawings.back().right < area.left + x) {
                drawings.push_back({area.left + x, y, area.left + x, y + 1});
            }
            RECT& drawing = drawings.back();
            drawing.right = area.left + x + 1;
            drawing.top = std::min<LONG>(drawing.top, y);
            drawing.bottom = std::max<LONG>(drawing.bottom, y + 1);
        }
    }
    return drawings;
}

bool RemoveNotificationIcon(HWND owner, UINT id) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = owner;
    icon.uID = id;
    return Shell_NotifyIconW(NIM_DELETE, &icon) != FALSE;
}

void BroadcastTaskbarCreated() {
    SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
}

RefusingNotificationArea::RefusingNotificationArea() {
    UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this, event = ready.Get()] { Run(event); });
    WaitForSingleObject(ready.Get(), INFINITE);
}

RefusingNotificationArea::~RefusingNotificationArea() {
    if (window_ != nullptr) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    thread_.join();
    UnregisterClassW(kTaskbarClass, GetModuleHandleW(nullptr));
}

// Topmost, so that it comes before Wine's task bar when the program looks
// the class up; the window and its messages stay in this thread.
void RefusingNotificationArea::Run(HANDLE ready) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = RefusingProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTaskbarClass;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kTaskbarClass, nullptr, WS_POPUP, 0,
                              0, 0, 0, nullptr, nullptr, windowClass.hInstance, &refused_);
    SetEvent(ready);
    if (window_ == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_CLOSE && message.hwnd == window_) {
            DestroyWindow(window_);
            break;
        }
        DispatchMessageW(&message);
    }
}

std::optional<RECT> WaitForNotificationIcon() {
    std::vector<RECT> icons;
    if (!WaitUntil([&] { return !(icons = NotificationIcons()).empty(); })) {
        return std::nullopt;
    }
    return icons.back();
}

bool WaitUntilNoNotificationIcon() {
    return WaitUntil([] { return NotificationIcons().empty(); });
}

}  // namespace e2e
