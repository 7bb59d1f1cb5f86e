// An in-process platform without OS windows, for the tests and the
// command-line driver. An event queue delivers injected keys, clicks and
// timer ticks (on virtual time) to the active window; a modal show runs a
// nested loop over the same queue, as on Win32.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/offscreen/OffscreenGdi.h"
#include "platform/offscreen/OffscreenShell.h"
#include "platform/offscreen/OffscreenWindow.h"

namespace offscreen {

// Settable facts about the running program.
struct ProgramFacts {
    bool prevInstance = false;
    std::string path = "C:\\Program Files\\Convalis";
    std::string commandLine;
    // The folder that holds the user's special folders; empty for none.
    std::string profile;
};

struct HelpRequest {
    platform::WindowHandle owner;
    std::string file;
};

struct ShownMessage {
    std::string text;
    std::string title;
};

class OffscreenPlatform : public platform::Platform,
                          private platform::Application,
                          private platform::Screen,
                          private platform::Clock,
                          private platform::NumberFormat,
                          private platform::Keyboard,
                          private platform::Help,
                          private platform::MessageBox,
                          private platform::Activation,
                          private platform::Pointer,
                          private WindowRegions,
                          private ShellWindows {
public:
    explicit OffscreenPlatform(ProgramFacts facts = {});
    ~OffscreenPlatform() override;

    // Settable facts.
    void SetNow(const platform::LocalDateTime& now) { now_ = now; }
    void SetDecimalSeparator(const std::string& separator) { decimalSeparator_ = separator; }
    void SetTwipsPerPixel(int x, int y);
    OffscreenGdi& Gdi() { return gdi_; }
    OffscreenShell& Shell() { return shell_; }

    // The event queue. Events go to the active window when they are delivered.
    void PostKey(int keyCode, int shift = 0);
    // A click on a control of the active window; false when it has none by
    // that name and index.
    void PostClick(const std::string& name, int index = -1);
    // Advances the virtual time; timers tick on the way.
    void PostTick(int milliseconds);
    // The mouse, at a point in pixels of the screen: the event goes to the
    // window that captured the mouse, or else to the window and control
    // under the pointer.
    void PostMouseDown(int x, int y, int button = platform::button::kLeft, int shift = 0);
    void PostMouseMove(int x, int y);
    void PostMouseUp(int x, int y, int button = platform::button::kLeft, int shift = 0);
    // A mouse event on a notification-area icon (wm::kLButtonDblClk...).
    void PostIconEvent(std::uint32_t id, unsigned mouseMessage);
    // Any action, run in turn like an event (a check, a dump).
    void Post(std::function<void()> action);
    // Delivers queued events until the queue is empty.
    void RunPending();

    // What can be observed.
    std::vector<OffscreenWindow*> LoadedWindows() const { return windows_; }
    OffscreenWindow* FindWindow(const std::string& name) const;
    // The window that takes input: the last loaded one that is visible and
    // enabled, or null.
    OffscreenWindow* ActiveWindow() const;
    const std::vector<HelpRequest>& HelpRequests() const { return helpRequests_; }
    const std::vector<ShownMessage>& ShownMessages() const { return messages_; }
    const long long& VirtualTime() const { return virtualTime_; }
    // Errors raised by handlers, in order; each ended its handler.
    const std::vector<std::string>& HandlerErrors() const { return handlerErrors_; }
    // The errors recorded so far, then forgotten: for a check that provokes one.
    std::vector<std::string> TakeHandlerErrors() { return std::exchange(handlerErrors_, {}); }

    // platform::Platform
    platform::Application& App() override { return *this; }
    const platform::Screen& Display() const override { return *this; }
    const platform::Clock& Time() const override { return *this; }
    const platform::NumberFormat& Numbers() const override { return *this; }
    platform::Keyboard& Keys() override { return *this; }
    platform::Help& HelpViewer() override { return *this; }
    platform::MessageBox& Messages() override { return *this; }
    platform::Gdi& Graphics() override { return gdi_; }
    platform::Activation& Windows() override { return *this; }
    platform::Pointer& Mouse() override { return *this; }
    platform::Shell& ShellServices() override { return shell_; }
    platform::Registry& RegistryReader() override { return shell_; }
    platform::WindowHandle Capture() const { return capture_; }
    // The loaded window with this handle, or null.
    OffscreenWindow* WindowOf(platform::WindowHandle handle) const;
    std::unique_ptr<platform::Window> CreateForm(const platform::FormDesign& design,
                                                 platform::FormEvents& events) override;
    void Unload(std::unique_ptr<platform::Window> window) override;
    void Run() override;

    // For the windows.
    platform::WindowHandle NextHandle() { return nextHandle_ += 4; }
    void Register(OffscreenWindow& window) { windows_.push_back(&window); }
    void Unregister(OffscreenWindow& window);
    void BringToFront(OffscreenWindow& window);
    void RunModal(OffscreenWindow& window);
    // Runs a handler; a run-time error ends it and is recorded.
    void Guarded(const std::function<void()>& handler);

private:
    // platform::Application
    bool PrevInstance() const override { return facts_.prevInstance; }
    std::string Path() const override { return facts_.path; }
    std::string CommandLine() const override { return facts_.commandLine; }
    const std::string& HelpFile() const override { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) override { helpFile_ = helpFile; }
    std::string ProductName() const override;
    std::string Version() const override;
    std::string FileDescription() const override;
    std::string LegalCopyright() const override;
    // platform::Screen
    int TwipsPerPixelX() const override { return twipsPerPixelX_; }
    int TwipsPerPixelY() const override { return twipsPerPixelY_; }
    int WidthTwips() const override { return 1024 * twipsPerPixelX_; }
    int HeightTwips() const override { return 768 * twipsPerPixelY_; }
    // platform::Clock
    platform::LocalDateTime Now() const override { return now_; }
    // platform::NumberFormat
    std::string DecimalSeparator() const override { return decimalSeparator_; }
    // platform::Keyboard
    void SendKeys(const std::string& keys) override;
    // platform::Help
    void ShowContents(platform::WindowHandle owner, const std::string& helpFile) override;
    // platform::MessageBox
    void ShowCritical(const std::string& text, const std::string& title) override;
    // platform::Activation
    bool ActivateByTitle(const std::string& title) override;
    // platform::Pointer
    platform::Point CursorPos() const override { return pointer_; }
    void SetCapture(platform::WindowHandle window) override { capture_ = window; }
    void ReleaseCapture() override { capture_ = 0; }
    // WindowRegions
    std::optional<Mask>* RegionOf(platform::WindowHandle window) override;
    // ShellWindows
    platform::WindowProc* ProcedureOf(platform::WindowHandle window) override;

    enum class MouseAction { kDown, kMove, kUp };
    void DeliverMouse(MouseAction action, int x, int y, int button, int shift);
    // The visible window under a point of the screen, topmost first.
    OffscreenWindow* WindowAt(int x, int y) const;

    bool DeliverNext();
    void DeliverKey(int keyCode, int shift);
    void DeliverClick(const std::string& name, int index);
    void DeliverTick(int milliseconds);
    void DisposeUnloaded();

    ProgramFacts facts_;
    OffscreenGdi gdi_{*this};
    OffscreenShell shell_;
    std::deque<std::function<void()>> queue_;
    std::vector<OffscreenWindow*> windows_;
    std::vector<std::unique_ptr<platform::Window>> unloaded_;
    std::vector<HelpRequest> helpRequests_;
    std::vector<ShownMessage> messages_;
    std::vector<std::string> handlerErrors_;
    std::string helpFile_;
    std::string decimalSeparator_ = ",";
    platform::LocalDateTime now_{2002, 6, 1, 0, 0, 0};
    int twipsPerPixelX_ = 15;
    int twipsPerPixelY_ = 15;
    long long virtualTime_ = 0;
    platform::WindowHandle nextHandle_ = 0x10000;
    // Handlers and modal loops on the stack: unloaded windows are freed
    // once there are none.
    int handlersRunning_ = 0;
    platform::Point pointer_;
    platform::WindowHandle capture_ = 0;
    // The image button pressed and not yet released.
    const OffscreenImageButton* pressed_ = nullptr;
};

}  // namespace offscreen
