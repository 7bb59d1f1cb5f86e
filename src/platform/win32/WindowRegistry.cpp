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
                                         HICON smallIcon, UINT style, int windowBytes) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = style;
    windowClass.lpfnWndProc = proc;
    windowClass.cbWndExtra = windowBytes;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    if (::RegisterClassExW(&windowClass) != 0) {
        classes_.emplace_back(name);
        return;
    }
    // Another platform object of this process registered the class first:
    // its windows and these share it, and it stays with its owner.
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    const bool shared = ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS &&
                        ::GetClassInfoExW(instance_, name, &existing) &&
                        existing.lpfnWndProc == proc;
    if (!shared) {
        throw platform::RuntimeError("Cannot register the window class");
    }
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
