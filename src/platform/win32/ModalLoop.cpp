#include "platform/win32/ModalLoop.h"

#include "platform/DeferredDisposal.h"
#include "platform/win32/MessagePump.h"

namespace win32 {

namespace {

void BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
}

}  // namespace

void ModalLoop::Run(HWND window, HWND owner, const std::function<void()>& show) {
    ::SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ::EnableWindow(owner, FALSE);
    owner_ = owner;
    window_ = window;
    // The platform frees an unloaded window only once the loop is over.
    const platform::DeferredDisposal::Busy running(pump_.Disposal());
    struct LoopEnd {
        ModalLoop& loop;
        HWND opener;
        const ModalLoop* outer;
        ~LoopEnd() {
            loop.pump_.SetInnermostModal(outer);
            loop.window_ = nullptr;
            loop.ReleaseOwner();
            if (::IsWindow(opener) && ::IsWindowVisible(opener)) {
                BringToFront(opener);
            }
        }
    } loopEnd{*this, owner, pump_.SetInnermostModal(this)};

    show();
    while (::IsWindow(window) && ::IsWindowVisible(window)) {
        if (!pump_.PumpOne()) {
            break;
        }
    }
}

void ModalLoop::ReleaseOwner() {
    if (owner_ != nullptr) {
        ::EnableWindow(owner_, TRUE);
        owner_ = nullptr;
    }
}

void ModalLoop::TakeStrayKey(MSG& msg) const {
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    if (window_ == nullptr || root == window_ || ::IsWindowEnabled(root) ||
        !::IsWindowVisible(window_)) {
        return;
    }
    BringToFront(window_);
    HWND focus = ::GetFocus();
    msg.hwnd = focus != nullptr && ::GetAncestor(focus, GA_ROOT) == window_ ? focus : window_;
}

}  // namespace win32
