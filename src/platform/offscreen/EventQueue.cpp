#include "platform/offscreen/EventQueue.h"

#include "platform/offscreen/OffscreenWindow.h"

namespace offscreen {

void EventQueue::Run(const std::function<bool()>& goOn) {
    while (goOn() && DeliverNext()) {
    }
    disposal_.DisposeIfIdle();
}

bool EventQueue::DeliverNext() {
    if (queue_.empty())
        return false;
    std::function<void()> event = std::move(queue_.front());
    queue_.pop_front();
    Guarded(event);
    // Between two events, not only when the loop ends: a long input must
    // not pile up the windows it closes.
    disposal_.DisposeIfIdle();
    return true;
}

void EventQueue::RunModal(OffscreenWindow& window) {
    // The loop looks at its window after every event: it stays until then.
    const platform::DeferredDisposal::Busy modal(disposal_);
    while (window.Visible() && !window.Unloaded()) {
        if (DeliverNext())
            continue;
        // The input has ended while the window is open: it is asked to
        // close, as the system would, and hidden if it stays open.
        Guarded([&window] { window.Events().CloseRequested(); });
        if (window.Visible() && !window.Unloaded())
            window.Hide();
    }
}

void EventQueue::Guarded(const std::function<void()>& handler) {
    const platform::DeferredDisposal::Busy running(disposal_);
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        handlerErrors_.push_back(error.what());
    }
}

void EventQueue::DisposeLater(std::unique_ptr<platform::Window> window) {
    disposal_.Keep(std::move(window));
}

}  // namespace offscreen
