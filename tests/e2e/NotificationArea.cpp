#include "NotificationArea.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "Desktop.h"

namespace e2e {

namespace {

constexpr wchar_t kTaskbarClass[] = L"Shell_TrayWnd";
constexpr wchar_t kToolTipClass[] = L"tooltips_class32";

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

// The notification area is the part of the taskbar right of its buttons
// (the start button and one per window).
RECT NotificationArea(HWND taskbar) {
    RECT area = WindowRect(taskbar);
    for (HWND button : ChildWindows(taskbar)) {
        if (IsWindowVisible(button)) {
            area.left = std::max(area.left, WindowRect(button).right);
        }
    }
    return area;
}

struct Picture {
    int width;
    int height;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

bool ColumnIsBlank(const Picture& picture, int x, COLORREF ground) {
    for (int y = 0; y < picture.height; ++y) {
        if (picture.At(x, y) != ground) {
            return false;
        }
    }
    return true;
}

bool RowIsBlank(const Picture& picture, int y, int left, int right, COLORREF ground) {
    for (int x = left; x < right; ++x) {
        if (picture.At(x, y) != ground) {
            return false;
        }
    }
    return true;
}

// The box of the drawn pixels nearest the right edge, up to the first
// blank column left of them.
std::optional<RECT> RightmostDrawing(const Picture& picture) {
    const COLORREF ground = picture.At(picture.width - 1, 0);
    int right = picture.width;
    while (right > 0 && ColumnIsBlank(picture, right - 1, ground)) {
        --right;
    }
    if (right == 0) {
        return std::nullopt;
    }
    int left = right - 1;
    while (left > 0 && !ColumnIsBlank(picture, left - 1, ground)) {
        --left;
    }
    int top = 0;
    while (RowIsBlank(picture, top, left, right, ground)) {
        ++top;
    }
    int bottom = picture.height;
    while (RowIsBlank(picture, bottom - 1, left, right, ground)) {
        --bottom;
    }
    return RECT{left, top, right, bottom};
}

std::wstring ShownTipOf(DWORD process) {
    for (HWND window : TopLevelWindows()) {
        if (WindowProcess(window) == process && IsWindowVisible(window) &&
            WindowClass(window) == kToolTipClass) {
            return WindowText(window);
        }
    }
    return {};
}

std::optional<Picture> NotificationAreaPicture(RECT* area) {
    HWND taskbar = ShownTaskbar();
    if (taskbar == nullptr) {
        return std::nullopt;
    }
    *area = NotificationArea(taskbar);
    Picture picture{area->right - area->left, area->bottom - area->top, ScreenPixels(*area)};
    if (picture.pixels.empty()) {
        return std::nullopt;
    }
    return picture;
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
    thread_ = std::thread([this, event = ready.get()] { Run(event); });
    WaitForSingleObject(ready.get(), INFINITE);
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

std::optional<RECT> FindNotificationIcon() {
    RECT area{};
    const std::optional<Picture> picture = NotificationAreaPicture(&area);
    if (!picture) {
        return std::nullopt;
    }
    std::optional<RECT> icon = RightmostDrawing(*picture);
    if (icon) {
        OffsetRect(&*icon, area.left, area.top);
    }
    return icon;
}

int NotificationIconCount() {
    RECT area{};
    const std::optional<Picture> picture = NotificationAreaPicture(&area);
    if (!picture) {
        return 0;
    }
    const COLORREF ground = picture->At(picture->width - 1, 0);
    int count = 0;
    bool inDrawing = false;
    for (int x = 0; x < picture->width; ++x) {
        const bool blank = ColumnIsBlank(*picture, x, ground);
        count += !blank && !inDrawing ? 1 : 0;
        inDrawing = !blank;
    }
    return count;
}

std::optional<RECT> WaitForNotificationIcon() {
    std::optional<RECT> icon;
    WaitUntil([&] { return (icon = FindNotificationIcon()).has_value(); });
    return icon;
}

bool WaitUntilNoNotificationIcon() {
    return WaitUntil([] { return !FindNotificationIcon().has_value(); });
}

std::wstring NotificationTip(const RECT& icon) {
    HWND taskbar = ShownTaskbar();
    if (taskbar == nullptr || !PlacePointer(Centre(icon))) {
        return {};
    }
    const DWORD explorer = WindowProcess(taskbar);
    std::wstring tip;
    WaitUntil([&] { return !(tip = ShownTipOf(explorer)).empty(); });
    return tip;
}

}  // namespace e2e
