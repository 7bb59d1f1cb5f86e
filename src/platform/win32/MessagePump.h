// The message loop: key preview, the guard round the program's event
// handlers, the deletion of unloaded windows once no handler of theirs runs
// any more, and the work put off until the program's start is over.
#pragma once

#include <exception>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/DeferredDisposal.h"
#include "platform/Types.h"
#include "platform/Window.h"
#include "platform/win32/TimingProbe.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class ModalLoop;
class WindowRegistry;

// Work that waits until the program's start is over (MessagePump::Started).
class StartupWork {
public:
    virtual void StartIsOver() = 0;

protected:
    ~StartupWork() = default;
};

class MessagePump {
public:
    explicit MessagePump(const WindowRegistry& registry)
        : registry_(registry), probe_(TimingProbe::FromEnvironment()) {}
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;

    // Runs one of the program's event handlers, or a window's handling of
    // one message. A run-time error ends the handler and nothing more, and so
    // does memory running out (a message that asks for a huge image); any
    // other exception is kept and thrown again by the loop, outside every
    // window procedure.
    template <typename Handler>
    void Invoke(Handler&& handler) noexcept {
        const platform::DeferredDisposal::Busy running(disposal_);
        try {
            handler();
        } catch (const platform::RuntimeError&) {
            // The run-time error ends the running handler; the program goes on.
        } catch (const std::bad_alloc&) {
            // As the run-time error "Out of memory" would.
        } catch (...) {
            if (!pending_) {
                pending_ = std::current_exception();
            }
        }
    }

    // A window's answer to a message, under the same guard: 0 when its
    // handling ended in an exception.
    template <typename Receive>
    LRESULT Answer(Receive&& receive) noexcept {
        LRESULT answer = 0;
        Invoke([&] { answer = receive(); });
        return answer;
    }

    // Waits for one message and handles it; false when WM_QUIT arrived (it
    // is posted again for the outer loops).
    bool PumpOne();
    // Handles the messages queued now, without waiting.
    void PumpPending();
    // Key preview, then the normal translation and dispatch, then the
    // deletion of unloaded windows.
    void ProcessMessage(MSG& msg);

    // Whether the start is over: the loop has once found no message waiting,
    // so the windows shown at the start have painted. Work that the first
    // paint does not need waits for it, so that the window shows sooner.
    bool Started() const { return started_; }
    // Runs `work` once the start is over; it must be withdrawn if it goes
    // before.
    void AfterStart(StartupWork& work);
    void Withdraw(StartupWork& work);

    // Unloaded windows wait here until no handler and no modal loop runs.
    platform::DeferredDisposal& Disposal() { return disposal_; }

    // The modal loop that runs innermost, which takes the keys that reach a
    // window it disabled; returns the one it replaces.
    const ModalLoop* SetInnermostModal(const ModalLoop* loop) {
        return std::exchange(innermostModal_, loop);
    }

    // The benchmark's timings, or null when they are not asked for.
    TimingProbe* Probe() const { return probe_.get(); }

private:
    void AfterMessage();
    // Ends the start when no message waits.
    void StartEndsIfIdle();

    const WindowRegistry& registry_;
    const std::unique_ptr<TimingProbe> probe_;
    std::exception_ptr pending_;
    platform::DeferredDisposal disposal_;
    const ModalLoop* innermostModal_ = nullptr;
    bool started_ = false;
    std::vector<StartupWork*> afterStart_;
};

}  // namespace win32
