// Unloaded windows, kept until no event handler and no modal loop runs; the
// one rule of every platform. A window may unload itself from its own
// handler, or from a handler inside a modal loop that a handler of its
// opened: those handlers are still on the stack, and free it only once they
// have all returned.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace platform {

class DeferredDisposal {
public:
    // Counts a running handler or modal loop while it lives, also when an
    // exception ends it.
    class Busy {
    public:
        explicit Busy(DeferredDisposal& disposal) : busy_(disposal.busy_) { ++busy_; }
        ~Busy() { --busy_; }
        Busy(const Busy&) = delete;
        Busy& operator=(const Busy&) = delete;

    private:
        int& busy_;
    };

    DeferredDisposal() = default;
    DeferredDisposal(const DeferredDisposal&) = delete;
    DeferredDisposal& operator=(const DeferredDisposal&) = delete;

    void Keep(std::unique_ptr<Window> window) {
        unloaded_.push_back(std::move(window));
        DisposeIfIdle();
    }
    // Frees the unloaded windows unless a handler or a loop runs; the
    // platforms call it between two events.
    void DisposeIfIdle() {
        if (busy_ == 0) {
            // A window's destructor may unload another: that one waits for
            // the next call.
            std::vector<std::unique_ptr<Window>> gone = std::exchange(unloaded_, {});
        }
    }

private:
    std::vector<std::unique_ptr<Window>> unloaded_;
    int busy_ = 0;
};

}  // namespace platform
