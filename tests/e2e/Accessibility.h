// The program's windows as a screen reader sees them, from outside: the
// accessible objects of its controls (oleacc) and the events it raises. The
// calling thread must have entered a COM apartment.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Desktop.h"

namespace e2e {

// One object as a screen reader reads it.
struct AccessibleView {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    RECT location{};  // on the screen

    bool Shown() const { return (state & STATE_SYSTEM_INVISIBLE) == 0; }
};

// The children that a window's client object lists (AccessibleChildren).
// A child is either an object of its own, which Wine's oleacc gives for a
// child window and which is read through that window's client object, as a
// screen reader does, or a child id that the window's object answers for.
std::vector<AccessibleView> AccessibleChildrenOf(HWND window);
// Lets go of the objects read so far (those of a program that has ended).
void ForgetAccessibleObjects();

// Win events of one process, heard out of context while the recorder lives.
class WinEventRecorder {
public:
    struct Event {
        DWORD event;
        std::wstring name;  // the object's name when the event came
    };

    // Listens to the events from `first` to `last` raised by `processId`.
    WinEventRecorder(DWORD processId, DWORD first, DWORD last);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    bool Listening() const { return hook_ != nullptr; }
    // Handles the hook's messages until an event heard so far satisfies
    // `match`, or until `limit` has passed.
    std::optional<Event> WaitFor(const std::function<bool(const Event&)>& match,
                                 std::chrono::milliseconds limit = kPatience);
    const std::vector<Event>& Events() const { return events_; }
    void Clear() { events_.clear(); }

private:
    static void CALLBACK Hear(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                              DWORD thread, DWORD time);

    HWINEVENTHOOK hook_ = nullptr;
    std::vector<Event> events_;
};

}  // namespace e2e
