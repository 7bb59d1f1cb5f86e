// The program's windows as a screen reader sees them, from outside: the
// accessible objects of its controls (oleacc) and the events it raises.
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
    HWND window = nullptr;
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
};

// The object of a control's client area, as AccessibleObjectFromWindow
// gives it to any process; none when oleacc gives nothing.
std::optional<AccessibleView> AccessibleOf(HWND control);
// The children that a window's client object lists (AccessibleChildren),
// each read through its window's client object. Wine's oleacc lists each
// child window as a window object that answers neither name nor role; a
// screen reader reads the client object of that window, as this does.
std::vector<AccessibleView> AccessibleChildrenOf(HWND window);
// "push button", "static text"... as oleacc names a role.
std::wstring RoleText(LONG role);

// Win events of one process, heard out of context while the recorder lives.
class WinEventRecorder {
public:
    struct Event {
        DWORD event;
        HWND window;
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
