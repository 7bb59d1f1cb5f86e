// The offscreen desktop: the loaded windows in z-order, which of them takes
// input, the mouse (pointer, capture, the pressed control) and the virtual
// time, and the delivery of input events to the window they reach.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/offscreen/OffscreenGdi.h"

namespace offscreen {

class OffscreenWindow;

enum class MouseAction { kDown, kMove, kUp };

class Desktop : public platform::Activation, public platform::Pointer, public WindowShapes {
public:
    // The windows, last shown in front.
    platform::WindowHandle NextHandle() { return nextHandle_ += 4; }
    void Register(OffscreenWindow& window) { windows_.push_back(&window); }
    void Unregister(OffscreenWindow& window);
    void BringToFront(OffscreenWindow& window);
    const std::vector<OffscreenWindow*>& LoadedWindows() const { return windows_; }
    OffscreenWindow* FindWindow(const std::string& name) const;
    // The window that takes input: the last loaded one that is visible and
    // enabled, or null.
    OffscreenWindow* ActiveWindow() const;
    // The loaded window with this handle, or null.
    OffscreenWindow* WindowOf(platform::WindowHandle handle) const;
    platform::WindowHandle Capture() const { return capture_; }
    const long long& VirtualTime() const { return virtualTime_; }

    // Input, as the event queue delivers it.
    void DeliverKey(int keyCode, int shift);
    void DeliverClick(const std::string& name, int index);
    // A click on the control of the active window that screen readers read
    // by this name.
    void DeliverClickOn(const std::string& accessibleName);
    void DeliverTick(int milliseconds);
    // The mouse at a pixel of the screen: to the pressed control, else to the
    // window that captured the mouse, else to the window and control under
    // the pointer.
    void DeliverMouse(MouseAction action, int x, int y, int button, int shift);

    // platform::Activation
    bool ActivateByTitle(const std::string& title) override;
    // platform::Pointer
    platform::Point CursorPos() const override { return pointer_; }
    // The window takes the mouse from the control that had it.
    void SetCapture(platform::WindowHandle window) override {
        capture_ = window;
        pressed_ = {};
    }
    void ReleaseCapture() override { capture_ = 0; }
    // WindowShapes
    std::optional<platform::WindowShape>* ShapeOf(platform::WindowHandle window) override;

private:
    void Click(OffscreenWindow& window, platform::Control& control);
    // A control pressed with a mouse button: it takes the mouse until that
    // button is released.
    struct Press {
        platform::WindowHandle window = 0;
        platform::Control* control = nullptr;
        int button = 0;
    };
    bool Loaded(const OffscreenWindow* window) const;
    // Delivers to the pressed control, wherever the pointer is; true when a
    // control is pressed.
    bool DeliverToPressed(MouseAction action, int x, int y, int button, int shift);
    // The mouse event at a screen pixel, in twips of a control of `window`.
    platform::MouseEvent EventIn(const OffscreenWindow& window, const platform::Control& control,
                                 int x, int y, int button, int shift) const;
    // The visible window under a point of the screen, topmost first.
    OffscreenWindow* WindowAt(int x, int y) const;

    std::vector<OffscreenWindow*> windows_;
    platform::WindowHandle nextHandle_ = 0x10000;
    long long virtualTime_ = 0;
    platform::Point pointer_;
    platform::WindowHandle capture_ = 0;
    Press pressed_;
};

}  // namespace offscreen
