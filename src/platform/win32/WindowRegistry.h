// The platform's window classes, and its loaded windows and drawing device
// contexts by handle: how a window procedure or a GDI call finds its object.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win32/Win32Api.h"

namespace win32 {

class Win32Window;
class DrawingDc;

// Window classes of the platform. Another process may look for them.
inline constexpr wchar_t kFormClass[] = L"ConvalisForm";
inline constexpr wchar_t kSurfaceClass[] = L"ConvalisSurface";
inline constexpr wchar_t kCheckBoxClass[] = L"ConvalisCheckBox";

class WindowRegistry {
public:
    // Makes the common controls' classes available too.
    explicit WindowRegistry(HINSTANCE instance);
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // Registers a window class for the lifetime of the registry; each of its
    // windows has `windowBytes` bytes of its own (GetWindowLongPtr).
    void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, HICON smallIcon,
                             UINT style, int windowBytes = 0);

    // Loaded windows by handle.
    void AddForm(HWND hwnd, Win32Window* window) { forms_[hwnd] = window; }
    void RemoveForm(HWND hwnd) { forms_.erase(hwnd); }
    Win32Window* FindForm(HWND hwnd) const;
    bool AnyFormLoaded() const { return !forms_.empty(); }

    // Device contexts whose pen and brush the platform owns.
    void AddDrawingDc(HDC dc, DrawingDc* drawing) { drawingDcs_[dc] = drawing; }
    void RemoveDrawingDc(HDC dc) { drawingDcs_.erase(dc); }
    DrawingDc* FindDrawingDc(HDC dc) const;

    UINT_PTR NextTimerId() { return nextTimerId_++; }

private:
    HINSTANCE instance_;
    std::vector<std::wstring> classes_;
    std::unordered_map<HWND, Win32Window*> forms_;
    std::unordered_map<HDC, DrawingDc*> drawingDcs_;
    UINT_PTR nextTimerId_ = 1;
};

}  // namespace win32
