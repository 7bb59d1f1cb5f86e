// The one window procedure of the program's own window classes, for the
// windows and their controls alike: it finds the object a system window was
// made for and hands it each message under the pump's handler guard, so that
// no exception ever leaves a window procedure into the system, whatever
// another program posts.
#pragma once

#include "platform/win32/Win32Api.h"

namespace win32 {

class MessagePump;

class MessageTarget {
public:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    explicit MessageTarget(MessagePump& pump) : pump_(pump) {}
    ~MessageTarget() = default;
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    // The creation parameter (CreateWindowExW) that ties the new system
    // window to this object.
    void* CreationParameter() { return this; }
    // WM_NCCREATE: the system window made for this object, before its first
    // message reaches Receive.
    virtual void Attach(HWND hwnd) = 0;
    // Every message of the window, WM_NCDESTROY the last.
    virtual LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    MessagePump& Pump() const { return pump_; }

private:
    MessagePump& pump_;
};

}  // namespace win32
