#include "platform/win32/ModalLoop.h"

#include "platform/DeferredDisposal.h"
#include "platform/win32/MessagePump.h"

namespace win32 {

void ModalLoop::Run(HWND window, HWND owner, const std::function<void()>& show) {
    ::SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    ::EnableWindow(owner, FALSE);
    owner_ = owner;
    // The platform frees an unloaded window only once the loop is over.
    const platform::DeferredDisposal::Busy running(pump_.Disposal());
    struct LoopEnd {
        ModalLoop& loop;
        HWND opener;
        ~LoopEnd() {
            loop.ReleaseOwner();
            if (::IsWindow(opener) && ::IsWindowVisible(opener)) {
                ::SetForegroundWindow(opener);
                ::SetActiveWindow(opener);
            }
        }
    } loopEnd{*this, owner};

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

}  // namespace win32
