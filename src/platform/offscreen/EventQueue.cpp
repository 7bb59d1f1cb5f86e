#include "platform/offscreen/EventQueue.h"

#include "platform/offscreen/OffscreenWindow.h"

namespace offscreen {

// Counts a running loop, also when a handler's exception ends it.
class EventQueue::LoopScope {
public:
    explicit LoopScope(int& depth) : depth_(++depth) {}
    ~LoopScope() { --depth_; }
    LoopScope(const LoopScope&) = delete;
    LoopScope& operator=(const LoopScope&) = delete;

private:
    int& depth_;
};

EventQueue::~EventQueue() {
    unloaded_.clear();
}

void EventQueue::Run(const std::function<bool()>& goOn) {
    {
        LoopScope loop(loopDepth_);
        while (goOn() && DeliverNext()) {
        }
    }
    DisposeUnloaded();
}

bool EventQueue::DeliverNext() {
    if (queue_.empty())
        return false;
    std::function<void()> event = std::move(queue_.front());
    queue_.pop_front();
    Guarded(event);
    return true;
}

void EventQueue::RunModal(OffscreenWindow& window) {
    LoopScope loop(loopDepth_);
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
    // Only between events of the outermost loop: handlers of an unloaded
    // window may still be on the stack in a nested one.
    if (loopDepth_ == 0)
        unloaded_.clear();
}

}  // namespace offscreen
