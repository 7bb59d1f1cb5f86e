// The contract tests over the real Win32 platform, in the test program's own
// process: real windows and the platform's own message loop.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Backend.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

// After the platform's headers, which keep the names windows.h turns into macros.
#include "../e2e/Desktop.h"

#include <oleacc.h>

namespace contract {
namespace {

constexpr DWORD kLimitMilliseconds = 20000;

// The distinct colours painted in `area` of a window's client area.
std::vector<platform::Rgb> PaintedColors(HWND window, const RECT& area) {
    std::vector<platform::Rgb> colors;
    for (const COLORREF pixel : e2e::ScreenPixels(area, window)) {
        const platform::Rgb rgb =
            platform::MakeRgb(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
        if (std::find(colors.begin(), colors.end(), rgb) == colors.end())
            colors.push_back(rgb);
    }
    return colors;
}

// The accessible object a screen reader finds at a point of the screen.
struct ObjectFacts {
    HWND window = nullptr;  // set only when the object is a window's own
    std::wstring name;
    RECT location{};
};

std::optional<ObjectFacts> ObjectAt(POINT point) {
    IAccessible* found = nullptr;
    VARIANT child;
    ::VariantInit(&child);
    if (FAILED(::AccessibleObjectFromPoint(point, &found, &child)) || found == nullptr)
        return std::nullopt;
    const win32::ComPtr<IAccessible> object(found);
    ObjectFacts facts;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF)
        ::WindowFromAccessibleObject(object.Get(), &facts.window);
    BSTR name = nullptr;
    if (SUCCEEDED(object->get_accName(child, &name)) && name != nullptr) {
        facts.name.assign(name, ::SysStringLen(name));
        ::SysFreeString(name);
    }
    LONG left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, child);
    facts.location = {left, top, left + width, top + height};
    ::VariantClear(&child);
    return facts;
}

class Win32Backend final : public Backend {
public:
    Win32Backend() : platform_(::GetModuleHandleW(nullptr)) {}
    ~Win32Backend() override {
        if (!folder_.empty()) {
            DeleteFolder();
        }
    }

    platform::Platform& Platform() override { return platform_; }

    bool RunUntil(const std::function<bool()>& done) override {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > kLimitMilliseconds)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            platform_.ProcessPending();
        }
        return true;
    }

    void PassTimeLater(int) override {}

    void Type(int keyCode) override {
        HWND target = ::GetFocus();
        if (target == nullptr)
            target = ::GetActiveWindow();
        const auto key = static_cast<WPARAM>(keyCode);
        const LPARAM scanCode = ::MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
        const LPARAM down = 1 | (scanCode & 0xFF) << 16;
        ::PostMessageW(target, WM_KEYDOWN, key, down);
        ::PostMessageW(target, WM_KEYUP, key, down | LPARAM{1} << 30 | LPARAM{1} << 31);
    }

    void MoveToScale(platform::Window& window, platform::Dpi dpi) override {
        const platform::Bounds at = window.Placement();
        const int left = dpi.ToPixels(at.left);
        const int top = dpi.ToPixels(at.top);
        RECT suggested{left, top, left + dpi.ToPixels(at.width), top + dpi.ToPixels(at.height)};
        ::SendMessageW(reinterpret_cast<HWND>(window.Handle()), WM_DPICHANGED,
                       MAKEWPARAM(dpi.Value(), dpi.Value()), reinterpret_cast<LPARAM>(&suggested));
    }

    bool TakesInput(const platform::Window& window) const override {
        return ::IsWindowEnabled(reinterpret_cast<HWND>(window.Handle())) != FALSE;
    }

    // What a screen reader finds at the middle of the label's place: the
    // object's name and location, and the colours painted there; none when
    // it finds the window itself, as where a label is hidden.
    std::optional<LabelView> ShownLabel(const platform::Window& window,
                                        const platform::Label& label) override {
        HWND form = reinterpret_cast<HWND>(window.Handle());
        ::UpdateWindow(form);
        const platform::Dpi dpi = window.Dpi();
        const platform::Bounds at = label.Placement();
        POINT middle{dpi.ToPixels(at.left + at.width / 2), dpi.ToPixels(at.top + at.height / 2)};
        ::ClientToScreen(form, &middle);
        const std::optional<ObjectFacts> found = ObjectAt(middle);
        if (!found || found->window == form)
            return std::nullopt;
        RECT rect = found->location;
        ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
        return LabelView{
            win32::Narrow(found->name),
            PaintedColors(form, rect),
            {dpi.ToTwips(rect.left), dpi.ToTwips(rect.top), dpi.ToTwips(rect.right - rect.left),
             dpi.ToTwips(rect.bottom - rect.top)}};
    }

    void ClickAt(platform::Window& window, int x, int y) override {
        HWND form = reinterpret_cast<HWND>(window.Handle());
        const platform::Dpi dpi = window.Dpi();
        const LPARAM at = MAKELPARAM(dpi.ToPixels(x), dpi.ToPixels(y));
        ::PostMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(form, WM_LBUTTONUP, 0, at);
    }

    std::string TemporaryFolder() override {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ =
            std::wstring(temp) + L"convalis-contract-" + std::to_wstring(::GetTickCount()) + L"\\";
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        return win32::Narrow(folder_);
    }

private:
    void DeleteFolder() {
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((folder_ + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileW((folder_ + found.cFileName).c_str());
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(folder_.c_str());
    }

    win32::Win32Platform platform_;
    std::wstring folder_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<Win32Backend>();
}

}  // namespace contract
