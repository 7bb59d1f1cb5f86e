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

private:
    MessagePump& pump_;
    HWND owner_ = nullptr;
};

}  // namespace win32
