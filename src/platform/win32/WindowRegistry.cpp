#include "platform/win32/WindowRegistry.h"

#include "platform/Types.h"

namespace win32 {

WindowRegistry::WindowRegistry(HINSTANCE instance) : instance_(instance) {}

WindowRegistry::~WindowRegistry() {
    for (const std::wstring& name : classes_) {
        ::UnregisterClassW(name.c_str(), instance_);
    }
}

void WindowRegistry::RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon,
                                         HICON smallIcon, UINT style) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass) == 0) {
        throw platform::RuntimeError("Cannot register the window class");
    }
    classes_.emplace_back(name);
}

Win32Window* WindowRegistry::FindForm(HWND hwnd) const {
    auto found = forms_.find(hwnd);
    return found == forms_.end() ? nullptr : found->second;
}

DrawingDc* WindowRegistry::FindDrawingDc(HDC dc) const {
    auto found = drawingDcs_.find(dc);
    return found == drawingDcs_.end() ? nullptr : found->second;
}

}  // namespace win32
