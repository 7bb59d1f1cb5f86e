// The suites over the real Win32 platform, in the test program's own process:
// real windows and the platform's own message loop. Keys go in through the
// system's input as typed, modifiers held, to the foreground window; a click
// is the left button's press and release posted at a point of a window, or at
// the control that a screen reader reads by the name the test gives.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Backend.h"
#include "platform/win32/Text.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

// After the platform's headers, which keep the names windows.h turns into macros.
#include "../e2e/Accessibility.h"
#include "../e2e/Desktop.h"

namespace program_tests {
namespace {

// The longest a run of steps or a wait may take on a busy machine under Wine.
constexpr DWORD kPatienceMilliseconds = 60000;

HWND Hwnd(const platform::Window& window) {
    return reinterpret_cast<HWND>(window.Handle());
}

// The controls of a window of this process as a screen reader reads them,
// no object of theirs kept past the reading: the windows go with the test.
std::vector<e2e::AccessibleView> ControlsOf(HWND window) {
    std::vector<e2e::AccessibleView> controls = e2e::AccessibleChildrenOf(window);
    e2e::ForgetAccessibleObjects();
    return controls;
}

bool PressKey(int keyCode, int shift) {
    HWND active = ::GetActiveWindow();
    if (active != nullptr && ::GetForegroundWindow() != active)
        ::SetForegroundWindow(active);
    const int modifiers[][2] = {{platform::shift::kShift, VK_SHIFT},
                                {platform::shift::kCtrl, VK_CONTROL},
                                {platform::shift::kAlt, VK_MENU}};
    std::vector<WORD> held;
    for (const auto& [bit, key] : modifiers) {
        if ((shift & bit) != 0)
            held.push_back(static_cast<WORD>(key));
    }
    e2e::SendKeystrokes({e2e::Keystroke(static_cast<WORD>(keyCode), held)});
    return true;
}

// A left-button press and release posted at a point of `form`'s client area,
// in pixels, to the window under that point.
void PostClick(HWND form, POINT point) {
    HWND target = ::ChildWindowFromPointEx(form, point, CWP_SKIPINVISIBLE);
    ::MapWindowPoints(form, target, &point, 1);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(target, WM_LBUTTONUP, 0, at);
}

// A click at the middle of the shown control that a screen reader reads by
// `name` on the active window.
bool ClickOn(const std::string& name) {
    HWND form = ::GetActiveWindow();
    for (const e2e::AccessibleView& child : ControlsOf(form)) {
        if (child.name != win32::Widen(name) || !child.Shown())
            continue;
        POINT point{(child.location.left + child.location.right) / 2,
                    (child.location.top + child.location.bottom) / 2};
        ::ScreenToClient(form, &point);
        PostClick(form, point);
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
        const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Tick);
        EXPECT_TRUE(RunUntil([this] { return finished_; }))
            << steps_.size() << " steps were left undone";
        ::KillTimer(nullptr, timer);
        steps_.clear();
    }
    bool RunUntil(const std::function<bool()>& done) override {
        start_ = ::GetTickCount();
        while (!done()) {
            if (Late())
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            platform_.ProcessPending();
        }
        return true;
    }
    void PassTimeLater(int) override {}

    void ClickAt(platform::Window& window, int x, int y) override {
        PostClick(Hwnd(window), {window.Dpi().ToPixels(x), window.Dpi().ToPixels(y)});
    }
    bool LineShown(const platform::Window& window, int index) override {
        int lines = 0;
        for (const e2e::AccessibleView& child : ControlsOf(Hwnd(window))) {
            if (child.role == ROLE_SYSTEM_SEPARATOR && lines++ == index)
                return child.Shown();
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
