// A window's modal show: the owner is disabled and the message loop runs
// until the window is hidden or destroyed; however the loop ends, even by an
// exception, the owner takes its input back and becomes active again.
#pragma once

#include <functional>

#include "platform/win32/Win32Api.h"

namespace win32 {

class MessagePump;

class ModalLoop {
public:
    explicit ModalLoop(MessagePump& pump) : pump_(pump) {}

    // Disables `owner`, makes it the owner of `window`, calls `show`, then
    // runs the loop.
    void Run(HWND window, HWND owner, const std::function<void()>& show);
    // Gives the owner its input back before the window hides, so that the
    // system activates it.
    void ReleaseOwner();
    // For the innermost loop, a key message that reached a window disabled
    // under its window: another program may hand such a window the
    // foreground (the system lets it), and the keys typed then are the
    // modal window's. The key is re-addressed there and the window comes to
    // the front again.
    void TakeStrayKey(MSG& msg) const;

private:
    MessagePump& pump_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;  // while the loop runs
};

}  // namespace win32
