// An in-process platform without OS windows, for the tests and the
// command-line driver. It owns its parts (Services.h, Desktop.h,
// EventQueue.h, Recorders.h, the drawing and the shell) and is where a test
// injects input: keys, clicks, mouse events and timer ticks (on virtual time)
// go through the event queue to the window they reach.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/offscreen/Desktop.h"
#include "platform/offscreen/EventQueue.h"
#include "platform/offscreen/OffscreenClipboard.h"
#include "platform/offscreen/OffscreenGdi.h"
#include "platform/offscreen/OffscreenShell.h"
#include "platform/offscreen/OffscreenWindow.h"
#include "platform/offscreen/Recorders.h"
#include "platform/offscreen/Services.h"

namespace offscreen {

class OffscreenPlatform : public platform::Platform, private platform::Keyboard {
public:
    explicit OffscreenPlatform(ProgramFacts facts = {});
    ~OffscreenPlatform() override;

    // Settable facts.
    void SetNow(const platform::LocalDateTime& now) { services_.SetNow(now); }
    void SetDecimalSeparator(const std::string& separator) {
        services_.SetDecimalSeparator(separator);
    }
    // The scale of windows loaded from now on (96 dpi unless set).
    void SetSystemDpi(platform::Dpi dpi) { services_.SetSystemDpi(dpi); }
    OffscreenGdi& Gdi() { return gdi_; }
    OffscreenShell& Shell() { return shell_; }
    OffscreenClipboard& Clipboard() { return clipboard_; }
    // How many times the program has beeped.
    int Beeps() const { return beeper_.Beeps(); }

    // The event queue. Events go to the active window when they are delivered.
    void PostKey(int keyCode, int shift = 0);
    // A click on a control of the active window; a run-time error when it
    // has none by that name and index.
    void PostClick(const std::string& name, int index = -1);
    void PostClickOn(const std::string& accessibleName);
    // Advances the virtual time; timers tick on the way.
    void PostTick(int milliseconds);
    // The mouse, at a point in pixels of the screen: the event goes to the
    // window that captured the mouse, or else to the window and control
    // under the pointer.
    void PostMouseDown(int x, int y, int button = platform::button::kLeft, int shift = 0);
    void PostMouseMove(int x, int y);
    void PostMouseUp(int x, int y, int button = platform::button::kLeft, int shift = 0);
    // The window goes to a monitor of scale `dpi`, as the user would drag it
    // there: it changes scale and tells the program.
    void PostDpiChange(const std::string& windowName, platform::Dpi dpi);
    // A double click on the notification-area icons.
    void PostIconDoubleClick();
    // The shell restarts, refusing icons from then on or not, and tells the
    // icons' owners.
    void PostShellRestart(bool refusesIcons);
    // Any action, run in turn like an event (a check, a dump).
    void Post(std::function<void()> action) { queue_.Post(std::move(action)); }
    // Delivers queued events until the queue is empty.
    void RunPending();
    // Whether no event is queued: what was posted before has been handled.
    bool Idle() const { return queue_.Empty(); }

    // What can be observed.
    // A copy: a caller may unload windows while it goes through them.
    std::vector<OffscreenWindow*> LoadedWindows() const { return desktop_.LoadedWindows(); }
    OffscreenWindow* FindWindow(const std::string& name) const { return desktop_.FindWindow(name); }
    OffscreenWindow* ActiveWindow() const { return desktop_.ActiveWindow(); }
    OffscreenWindow* WindowOf(platform::WindowHandle handle) const {
        return desktop_.WindowOf(handle);
    }
    platform::WindowHandle Capture() const { return desktop_.Capture(); }
    const std::vector<HelpRequest>& HelpRequests() const { return help_.Requests(); }
    const std::vector<ShownMessage>& ShownMessages() const { return messages_.Shown(); }
    const long long& VirtualTime() const { return desktop_.VirtualTime(); }
    const std::vector<std::string>& HandlerErrors() const { return queue_.HandlerErrors(); }
    // The errors recorded so far, then forgotten: for a check that provokes one.
    std::vector<std::string> TakeHandlerErrors() { return queue_.TakeHandlerErrors(); }

    // platform::Platform
    platform::Application& App() override { return services_; }
    const platform::Screen& Display() const override { return services_; }
    const platform::Clock& Time() const override { return services_; }
    const platform::NumberFormat& Numbers() const override { return services_; }
    platform::Keyboard& Keys() override { return *this; }
    platform::Help& HelpViewer() override { return help_; }
    platform::MessageBox& Messages() override { return messages_; }
    platform::Gdi& Graphics() override { return gdi_; }
    platform::Activation& Windows() override { return desktop_; }
    platform::Pointer& Mouse() override { return desktop_; }
    platform::Shell& ShellServices() override { return shell_; }
    platform::Registry& RegistryReader() override { return shell_; }
    platform::Clipboard& ClipboardText() override { return clipboard_; }
    platform::Beeper& Sound() override { return beeper_; }
    std::unique_ptr<platform::Window> CreateForm(const platform::FormDesign& design,
                                                 platform::FormEvents& events) override;
    void Unload(std::unique_ptr<platform::Window> window) override;
    void Run() override;

    // For the windows.
    Desktop& Desk() { return desktop_; }
    EventQueue& Queue() { return queue_; }

private:
    // platform::Keyboard
    void PostKeys(const std::vector<int>& keyCodes) override;
    void PostMouse(MouseAction action, int x, int y, int button, int shift);

    Services services_;
    Desktop desktop_;
    OffscreenGdi gdi_{desktop_};
    OffscreenShell shell_;
    OffscreenClipboard clipboard_;
    OffscreenBeeper beeper_;
    HelpRecorder help_;
    MessageRecorder messages_;
    // Last: the unloaded windows it keeps leave the desktop and the drawing
    // on their way.
    EventQueue queue_;
};

}  // namespace offscreen
