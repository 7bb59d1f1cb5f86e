// The message loop: key preview, the guard round the program's event
// handlers, and the deletion of unloaded windows once no handler of theirs
// runs any more.
#pragma once

#include <exception>
#include <memory>
#include <vector>

#include "platform/Types.h"
#include "platform/Window.h"
#include "platform/win32/TimingProbe.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

class WindowRegistry;

class MessagePump {
public:
    explicit MessagePump(const WindowRegistry& registry)
        : registry_(registry), probe_(TimingProbe::FromEnvironment()) {}
    ~MessagePump();
    MessagePump(const MessagePump&) = delete;
    MessagePump& operator=(const MessagePump&) = delete;

    // Runs one of the program's event handlers. A run-time error ends the
    // handler and nothing more; any other exception is kept and thrown again
    // by the loop, outside every window procedure.
    template <typename Handler>
    void Invoke(Handler&& handler) noexcept {
        try {
            handler();
        } catch (const platform::RuntimeError&) {
            // The run-time error ends the running handler; the program goes on.
        } catch (...) {
            if (!pending_) {
                pending_ = std::current_exception();
            }
        }
    }

    // Waits for one message and handles it; false when WM_QUIT arrived (it
    // is posted again for the outer loops).
    bool PumpOne();
    // Handles the messages queued now, without waiting.
    void PumpPending();
    // Key preview, then the normal translation and dispatch, then the
    // deletion of unloaded windows.
    void ProcessMessage(MSG& msg);

    // Keeps an unloaded window until the running message is dispatched.
    void DeferDelete(std::unique_ptr<platform::Window> window);
    void DeleteUnloaded();

    // The benchmark's timings, or null when they are not asked for.
    TimingProbe* Probe() const { return probe_.get(); }

private:
    void AfterMessage();

    const WindowRegistry& registry_;
    const std::unique_ptr<TimingProbe> probe_;
    std::vector<std::unique_ptr<platform::Window>> unloaded_;
    std::exception_ptr pending_;
};

}  // namespace win32
