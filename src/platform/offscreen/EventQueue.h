// The offscreen platform's event loop: queued events run in turn inside the
// handler guard; a modal show runs a nested loop over the same queue, as on
// Win32, and unloaded windows are deleted as soon as no handler runs.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/DeferredDisposal.h"
#include "platform/Window.h"

namespace offscreen {

class OffscreenWindow;

class EventQueue {
public:
    EventQueue() = default;
    EventQueue(const EventQueue&) = delete;
    EventQueue& operator=(const EventQueue&) = delete;

    void Post(std::function<void()> event) { queue_.push_back(std::move(event)); }
    bool Empty() const { return queue_.empty(); }
    // Delivers queued events while `goOn` holds, until the queue is empty.
    void Run(const std::function<bool()>& goOn);
    // Delivers events until `window` is hidden or unloaded.
    void RunModal(OffscreenWindow& window);
    // Runs a handler; a run-time error ends it and is recorded.
    void Guarded(const std::function<void()>& handler);
    // Keeps an unloaded window until no handler of it can be running.
    void DisposeLater(std::unique_ptr<platform::Window> window);

    // Errors raised by handlers, in order; each ended its handler.
    const std::vector<std::string>& HandlerErrors() const { return handlerErrors_; }
    std::vector<std::string> TakeHandlerErrors() { return std::exchange(handlerErrors_, {}); }

private:
    bool DeliverNext();

    std::deque<std::function<void()>> queue_;
    std::vector<std::string> handlerErrors_;
    // Declared last, so that the windows it still holds go first.
    platform::DeferredDisposal disposal_;
};

}  // namespace offscreen
