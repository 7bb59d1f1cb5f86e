#include "platform/offscreen/EventQueue.h"

#include "platform/offscreen/OffscreenWindow.h"

namespace offscreen {

// Counts a running handler or modal loop, also when an exception ends it.
class EventQueue::BusyScope {
public:
    explicit BusyScope(int& depth) : depth_(++depth) {}
    ~BusyScope() { --depth_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& depth_;
};

EventQueue::~EventQueue() {
    unloaded_.clear();
}

void EventQueue::Run(const std::function<bool()>& goOn) {
    while (goOn() && DeliverNext()) {
    }
    DisposeUnloaded();
}

bool EventQueue::DeliverNext() {
    if (queue_.empty())
        return false;
    std::function<void()> event = std::move(queue_.front());
    queue_.pop_front();
    Guarded(event);
    // Between two events, not only when the loop ends: a long input must
    // not pile up the windows it closes.
    DisposeUnloaded();
    return true;
}

void EventQueue::RunModal(OffscreenWindow& window) {
    // The loop looks at its window after every event: it stays until then.
    BusyScope modal(busy_);
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
    BusyScope running(busy_);
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        handlerErrors_.push_back(error.what());
    }
}

void EventQueue::DisposeLater(std::unique_ptr<platform::Window> window) {
    unloaded_.push_back(std::move(window));
    DisposeUnloaded();
}

void EventQueue::DisposeUnloaded() {
    // Only once no handler and no modal loop runs: handlers of an unloaded
    // window may still be on the stack below a nested loop.
    if (busy_ == 0)
        unloaded_.clear();
}

}  // namespace offscreen
