#include "platform/win32/MessagePump.h"

#include <algorithm>
#include <utility>

#include "platform/win32/ModalLoop.h"
#include "platform/win32/Win32Window.h"
#include "platform/win32/WindowRegistry.h"

namespace win32 {

bool MessagePump::PumpOne() {
    StartEndsIfIdle();
    MSG msg{};
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    if (got == -1) {
        return false;
    }
    ProcessMessage(msg);
    return true;
}

void MessagePump::PumpPending() {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ProcessMessage(msg);
    }
    disposal_.DisposeIfIdle();
    StartEndsIfIdle();
}

void MessagePump::AfterStart(StartupWork& work) {
    afterStart_.push_back(&work);
}

void MessagePump::Withdraw(StartupWork& work) {
    afterStart_.erase(std::remove(afterStart_.begin(), afterStart_.end(), &work),
                      afterStart_.end());
}

void MessagePump::StartEndsIfIdle() {
    if (started_ || HIWORD(::GetQueueStatus(QS_ALLINPUT)) != 0) {
        return;
    }
    started_ = true;
    // One at a time: a work's handler may withdraw another.
    while (!afterStart_.empty()) {
        StartupWork* work = afterStart_.front();
        afterStart_.erase(afterStart_.begin());
        Invoke([work] { work->StartIsOver(); });
    }
    AfterMessage();
}

void MessagePump::ProcessMessage(MSG& msg) {
    if (probe_) {
        probe_->MessageArrived(msg);
    }
    if (innermostModal_ != nullptr && msg.hwnd != nullptr && msg.message >= WM_KEYFIRST &&
        msg.message <= WM_KEYLAST) {
        innermostModal_->TakeStrayKey(msg);
    }
    Win32Window* form =
        msg.hwnd != nullptr ? registry_.FindForm(::GetAncestor(msg.hwnd, GA_ROOT)) : nullptr;
    // The windows read keys by their codes alone, in the key preview: the
    // characters that translating a key would post to them have no reader,
    // and each would be one more message before the key's repaint.
    bool translate = true;
    if (form != nullptr) {
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            if (form->PreviewKey(msg)) {
                // The handler unloaded the window, or the key moved the focus:
                // nothing is left to dispatch.
                AfterMessage();
                return;
            }
            translate = false;
        } else if (msg.message == WM_SYSCHAR) {
            // The windows have no menu: the default handling of Alt+letter,
            // in the window or any of its controls, would only beep.
            AfterMessage();
            return;
        }
    }
    if (translate) {
        ::TranslateMessage(&msg);
    }
    ::DispatchMessageW(&msg);
    if (probe_) {
        probe_->MessageHandled(msg);
    }
    AfterMessage();
}

void MessagePump::AfterMessage() {
    disposal_.DisposeIfIdle();
    if (pending_) {
        std::rethrow_exception(std::exchange(pending_, nullptr));
    }
}

}  // namespace win32
