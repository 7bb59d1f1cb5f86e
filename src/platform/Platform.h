// The window platform as one object: the forms runtime and the system
// services. The program's code sees only this interface; `win32` and
// `offscreen` implement it.
#pragma once

#include <memory>

#include "platform/Clipboard.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Window.h"

namespace platform {

class Platform {
public:
    virtual ~Platform() = default;

    virtual Application& App() = 0;
    virtual const Screen& Display() const = 0;
    virtual const Clock& Time() const = 0;
    virtual const NumberFormat& Numbers() const = 0;
    virtual Keyboard& Keys() = 0;
    virtual Help& HelpViewer() = 0;
    virtual MessageBox& Messages() = 0;
    virtual Gdi& Graphics() = 0;
    virtual Activation& Windows() = 0;
    virtual Pointer& Mouse() = 0;
    virtual Shell& ShellServices() = 0;
    virtual Registry& RegistryReader() = 0;
    virtual Clipboard& ClipboardText() = 0;
    virtual Beeper& Sound() = 0;

    // Creates (loads) a window, hidden. `events` must outlive the window.
    virtual std::unique_ptr<Window> CreateForm(const FormDesign& design, FormEvents& events) = 0;
    // Destroys a window once the running event handler has returned: a
    // window may unload itself from its own handlers. The window is hidden
    // and its modal loop, if any, ends at once.
    virtual void Unload(std::unique_ptr<Window> window) = 0;

    // Runs the event loop until no window is loaded.
    virtual void Run() = 0;
};

}  // namespace platform
