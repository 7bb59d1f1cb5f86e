// The program suite over the real Win32 platform, in the test program's own
// process: real windows and the platform's own message loop. Keys go in
// through the system's input as typed, modifiers held, to the foreground
// window; a click is the left button's press and release posted at the
// control that a screen reader reads by the name the test gives.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "ProgramBackend.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

#include <oleacc.h>

namespace program_tests {
namespace {

// The longest a run of steps may take on a busy machine under Wine.
constexpr DWORD kPatienceMilliseconds = 60000;

// IAccessible's interface id, as data (MinGW's import library has it as code).
constexpr IID kIAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// A child of a window's accessible object, as a screen reader reads it.
struct ChildView {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    RECT location{};  // on the screen
};

std::vector<ChildView> AccessibleChildrenOf(HWND window) {
    std::vector<ChildView> children;
    IAccessible* raw = nullptr;
    if (window == nullptr ||
        FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                            reinterpret_cast<void**>(&raw))))
        return children;
    const win32::ComPtr<IAccessible> parent(raw);
    LONG count = 0;
    parent->get_accChildCount(&count);
    for (LONG id = 1; id <= count; ++id) {
        VARIANT child;
        child.vt = VT_I4;
        child.lVal = id;
        ChildView view;
        // A child with a window of its own answers through its window's object.
        IDispatch* dispatch = nullptr;
        win32::ComPtr<IAccessible> own;
        if (SUCCEEDED(parent->get_accChild(child, &dispatch)) && dispatch != nullptr) {
            dispatch->QueryInterface(kIAccessible, own.PutVoid());
            dispatch->Release();
        }
        IAccessible* asked = own ? own.Get() : parent.Get();
        if (own)
            child.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        if (SUCCEEDED(asked->get_accName(child, &name)) && name != nullptr) {
            view.name.assign(name, ::SysStringLen(name));
            ::SysFreeString(name);
        }
        VARIANT value;
        ::VariantInit(&value);
        if (SUCCEEDED(asked->get_accRole(child, &value)) && value.vt == VT_I4)
            view.role = value.lVal;
        ::VariantInit(&value);
        if (SUCCEEDED(asked->get_accState(child, &value)) && value.vt == VT_I4)
            view.state = value.lVal;
        LONG left = 0, top = 0, width = 0, height = 0;
        asked->accLocation(&left, &top, &width, &height, child);
        view.location = {left, top, left + width, top + height};
        children.push_back(view);
    }
    return children;
}

HWND Hwnd(const platform::Window& window) {
    return reinterpret_cast<HWND>(window.Handle());
}

void AddKey(std::vector<INPUT>& inputs, int key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC));
    const bool extended = (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT;
    input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
}

bool PressKey(int keyCode, int shift) {
    HWND active = ::GetActiveWindow();
    if (active != nullptr && ::GetForegroundWindow() != active)
        ::SetForegroundWindow(active);
    const int modifiers[][2] = {{platform::shift::kShift, VK_SHIFT},
                                {platform::shift::kCtrl, VK_CONTROL},
                                {platform::shift::kAlt, VK_MENU}};
    std::vector<INPUT> inputs;
    for (const auto& [bit, key] : modifiers) {
        if ((shift & bit) != 0)
            AddKey(inputs, key, true);
    }
    AddKey(inputs, keyCode, true);
    AddKey(inputs, keyCode, false);
    for (const auto& [bit, key] : modifiers) {
        if ((shift & bit) != 0)
            AddKey(inputs, key, false);
    }
    EXPECT_EQ(::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size())
        << "the system refused key " << keyCode;
    return true;
}

// A left-button press and release posted at the middle of the shown control
// that a screen reader reads by `name`, to the window under that point.
bool ClickOn(const std::string& name) {
    HWND form = ::GetActiveWindow();
    for (const ChildView& child : AccessibleChildrenOf(form)) {
        if (child.name != win32::Widen(name) || (child.state & STATE_SYSTEM_INVISIBLE) != 0)
            continue;
        POINT point{(child.location.left + child.location.right) / 2,
                    (child.location.top + child.location.bottom) / 2};
        ::ScreenToClient(form, &point);
        HWND target = ::ChildWindowFromPointEx(form, point, CWP_SKIPINVISIBLE);
        ::MapWindowPoints(form, target, &point, 1);
        const LPARAM at = MAKELPARAM(point.x, point.y);
        ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(target, WM_LBUTTONUP, 0, at);
        return true;
    }
    ADD_FAILURE() << "nothing reads \"" << name << "\" on the active window";
    return false;
}

// A shown window of the program whose owner takes no input: a modal one.
BOOL CALLBACK FindModal(HWND window, LPARAM found) {
    HWND owner = ::GetWindow(window, GW_OWNER);
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (owner == nullptr || ::IsWindowEnabled(owner) || !::IsWindowVisible(window) ||
        std::wstring(name) != L"ConvalisForm")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The clipboard, open while the object lives, as another program opens it.
struct ClipboardScope {
    ClipboardScope() : open(::OpenClipboard(nullptr) != FALSE) {
        EXPECT_TRUE(open) << "the clipboard is busy";
    }
    ~ClipboardScope() {
        if (open)
            ::CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    const bool open;
};

class Win32Backend final : public Backend {
public:
    Win32Backend() : platform_(::GetModuleHandleW(nullptr)) { running_ = this; }
    ~Win32Backend() override { running_ = nullptr; }

    platform::Platform& Platform() override { return platform_; }
    void QueueKey(int keyCode, int shift) override {
        steps_.push_back([keyCode, shift] { return PressKey(keyCode, shift); });
    }
    void QueueClick(const std::string& accessibleName) override {
        steps_.push_back([accessibleName] { return ClickOn(accessibleName); });
    }
    void QueueAction(std::function<void()> action) override {
        steps_.push_back([action = std::move(action)] {
            action();
            return false;
        });
    }

    void Run() override {
        finished_ = false;
        start_ = ::GetTickCount();
        const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Tick);
        while (!finished_ && !Late()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            platform_.ProcessPending();
        }
        ::KillTimer(nullptr, timer);
        EXPECT_TRUE(finished_) << steps_.size() << " steps were left undone";
        steps_.clear();
    }

    bool LineShown(const platform::Window& window, int index) override {
        int lines = 0;
        for (const ChildView& child : AccessibleChildrenOf(Hwnd(window))) {
            if (child.role == ROLE_SYSTEM_SEPARATOR && lines++ == index)
                return (child.state & STATE_SYSTEM_INVISIBLE) == 0;
        }
        return false;
    }
    bool TakesInput(const platform::Window& window) override {
        return ::IsWindowEnabled(Hwnd(window)) != FALSE;
    }

    std::string ClipboardText() override {
        const ClipboardScope clipboard;
        HANDLE data = clipboard.open ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
        const auto* chars = data ? static_cast<const wchar_t*>(::GlobalLock(data)) : nullptr;
        const std::string text = chars ? win32::Narrow(chars) : "";
        if (chars)
            ::GlobalUnlock(data);
        return text;
    }
    void SetClipboardText(const std::string& text) override {
        const std::wstring wide = win32::Widen(text);
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (wide.size() + 1) * 2);
        auto* chars = static_cast<wchar_t*>(::GlobalLock(memory));
        ASSERT_NE(chars, nullptr);
        wide.copy(chars, wide.size());
        ::GlobalUnlock(memory);
        const ClipboardScope clipboard;
        if (!clipboard.open || !::EmptyClipboard() || !::SetClipboardData(CF_UNICODETEXT, memory)) {
            ADD_FAILURE() << "the clipboard refused \"" << text << "\"";
            ::GlobalFree(memory);
        }
    }

private:
    // The timer's message comes only when the queue holds no other, so each
    // tick follows the handling of the input before it, in whatever loop
    // runs then. A tick runs the steps up to one that gives the system
    // input; after the last, it asks the modal windows to close, one a tick.
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (running_ != nullptr && !running_->inStep_)
            running_->Step();
    }

    void Step() {
        inStep_ = true;
        bool gaveInput = false;
        while (!gaveInput && !steps_.empty()) {
            const std::function<bool()> step = std::move(steps_.front());
            steps_.pop_front();
            gaveInput = step();
        }
        HWND modal = nullptr;
        if (!gaveInput)
            ::EnumThreadWindows(::GetCurrentThreadId(), &FindModal,
                                reinterpret_cast<LPARAM>(&modal));
        if (modal != nullptr && Late()) {
            ADD_FAILURE() << "a modal window stays open when asked to close";
            ::DestroyWindow(modal);
        } else if (modal != nullptr) {
            ::PostMessageW(modal, WM_CLOSE, 0, 0);
        }
        finished_ = !gaveInput && modal == nullptr;
        inStep_ = false;
    }

    bool Late() const { return ::GetTickCount() - start_ > kPatienceMilliseconds; }

    static inline Win32Backend* running_ = nullptr;
    win32::Win32Platform platform_;
    std::deque<std::function<bool()>> steps_;
    bool inStep_ = false;
    bool finished_ = false;
    DWORD start_ = 0;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<Win32Backend>();
}

}  // namespace program_tests
