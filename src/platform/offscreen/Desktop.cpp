#include "platform/offscreen/Desktop.h"

#include <algorithm>

#include "platform/offscreen/OffscreenWindow.h"

namespace offscreen {

void Desktop::Unregister(OffscreenWindow& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void Desktop::BringToFront(OffscreenWindow& window) {
    Unregister(window);
    windows_.push_back(&window);
}

bool Desktop::Loaded(const OffscreenWindow* window) const {
    return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
}

OffscreenWindow* Desktop::FindWindow(const std::string& name) const {
    for (OffscreenWindow* window : windows_) {
        if (window->Name() == name && !window->Unloaded())
            return window;
    }
    return nullptr;
}

OffscreenWindow* Desktop::ActiveWindow() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OffscreenWindow* window = *it;
        if (window->Visible() && window->Enabled() && !window->Unloaded())
            return window;
    }
    return nullptr;
}

void Desktop::DeliverKey(int keyCode, int shift) {
    OffscreenWindow* window = ActiveWindow();
    if (window == nullptr)
        return;
    window->Events().KeyDown(keyCode, shift);
    // The window's own handling follows, unless the handler unloaded it.
    if (Loaded(window) && !window->Unloaded()) {
        window->DefaultKeyAction(keyCode, shift);
    }
}

void Desktop::DeliverClick(const std::string& name, int index) {
    OffscreenWindow* window = ActiveWindow();
    if (window == nullptr)
        return;
    platform::Control* control = window->FindControl(name, index);
    if (control == nullptr) {
        throw platform::RuntimeError("No control " + name + " on " + window->Name());
    }
    Click(*window, *control);
}

void Desktop::DeliverClickOn(const std::string& accessibleName) {
    OffscreenWindow* window = ActiveWindow();
    if (window == nullptr)
        return;
    platform::Control* control = window->FindControlReadAs(accessibleName);
    if (control == nullptr) {
        throw platform::RuntimeError("Nothing reads \"" + accessibleName + "\" on " +
                                     window->Name());
    }
    Click(*window, *control);
}

void Desktop::Click(OffscreenWindow& window, platform::Control& control) {
    auto* input = dynamic_cast<MouseInput*>(&control);
    if (input == nullptr)
        return;
    // A press and a release at the control's top-left corner.
    const platform::MouseEvent press{platform::button::kLeft, 0, 0, 0};
    window.PressedOn(control);
    if (const platform::MouseHandlers* handlers = input->Handlers()) {
        if (handlers->down)
            handlers->down(press);
        if (handlers->up)
            handlers->up(press);
    }
    input->Click();
}

void Desktop::DeliverTick(int milliseconds) {
    virtualTime_ += milliseconds;
    for (OffscreenWindow* window : std::vector<OffscreenWindow*>(windows_)) {
        if (!Loaded(window))
            continue;
        for (const auto& timer : window->Timers())
            timer->CatchUp();
    }
}

// The uppermost window of that title, as the system finds it: a modal window
// rather than the owner it stands over.
bool Desktop::ActivateByTitle(const std::string& title) {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OffscreenWindow* window = *it;
        if (window->Caption() == title && !window->Unloaded()) {
            window->Activate();
            return true;
        }
    }
    return false;
}

OffscreenWindow* Desktop::WindowOf(platform::WindowHandle handle) const {
    for (OffscreenWindow* window : windows_) {
        if (window->Handle() == handle)
            return window;
    }
    return nullptr;
}

std::optional<platform::WindowShape>* Desktop::ShapeOf(platform::WindowHandle window) {
    OffscreenWindow* found = WindowOf(window);
    return found == nullptr ? nullptr : &found->Shape();
}

OffscreenWindow* Desktop::WindowAt(int x, int y) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OffscreenWindow* window = *it;
        if (!window->Visible() || window->Minimized())
            continue;
        platform::Bounds b = window->Placement();
        const platform::Dpi dpi = window->Dpi();
        if (window->Covers(x - dpi.ToPixels(b.left), y - dpi.ToPixels(b.top))) {
            return window;
        }
    }
    return nullptr;
}

namespace {

void Relay(const MouseInput* input, int action, const platform::MouseEvent& event) {
    const platform::MouseHandlers* handlers = input != nullptr ? input->Handlers() : nullptr;
    if (handlers == nullptr)
        return;
    const auto& handler = action == 0   ? handlers->down
                          : action == 1 ? handlers->move
                                        : handlers->up;
    if (handler)
        handler(event);
}

bool Inside(const platform::MouseEvent& event, const platform::Bounds& bounds) {
    return event.x >= 0 && event.y >= 0 && event.x < static_cast<float>(bounds.width) &&
           event.y < static_cast<float>(bounds.height);
}

}  // namespace

platform::MouseEvent Desktop::EventIn(const OffscreenWindow& window,
                                      const platform::Control& control, int x, int y, int button,
                                      int shift) const {
    // Client twips: the windows have no border, so client and window agree.
    const platform::Bounds at = window.Placement();
    const platform::Bounds place = control.Placement();
    const double twipsPerPixel = window.Dpi().TwipsPerPixel();
    return {button, shift, static_cast<float>(x * twipsPerPixel - at.left - place.left),
            static_cast<float>(y * twipsPerPixel - at.top - place.top)};
}

void Desktop::DeliverMouse(MouseAction action, int x, int y, int button, int shift) {
    pointer_ = {x, y};
    if (DeliverToPressed(action, x, y, button, shift))
        return;
    OffscreenWindow* window = capture_ != 0 ? WindowOf(capture_) : WindowAt(x, y);
    if (window == nullptr || !window->Enabled())
        return;
    platform::Bounds b = window->Placement();
    const double twipsPerPixel = window->Dpi().TwipsPerPixel();
    float cx = static_cast<float>(x * twipsPerPixel - b.left);
    float cy = static_cast<float>(y * twipsPerPixel - b.top);
    platform::Control* control =
        capture_ != 0 ? nullptr : window->ControlAt(static_cast<int>(cx), static_cast<int>(cy));
    if (control == nullptr) {
        platform::MouseEvent event{button, shift, cx, cy};
        platform::FormEvents& events = window->Events();
        if (action == MouseAction::kDown)
            events.MouseDown(event);
        if (action == MouseAction::kMove)
            events.MouseMove(event);
        if (action == MouseAction::kUp)
            events.MouseUp(event);
        return;
    }
    if (action == MouseAction::kDown) {
        pressed_ = {window->Handle(), control, button};
        if (button == platform::button::kLeft)
            window->PressedOn(*control);
    }
    Relay(dynamic_cast<MouseInput*>(control), static_cast<int>(action),
          EventIn(*window, *control, x, y, button, shift));
}

bool Desktop::DeliverToPressed(MouseAction action, int x, int y, int button, int shift) {
    const OffscreenWindow* window = WindowOf(pressed_.window);
    if (window == nullptr) {
        pressed_ = {};
        return false;
    }
    platform::Control& control = *pressed_.control;
    const platform::MouseEvent event = EventIn(*window, control, x, y, button, shift);
    const bool release = action == MouseAction::kUp && button == pressed_.button;
    const bool clicked =
        release && button == platform::button::kLeft && Inside(event, control.Placement());
    if (release)
        pressed_ = {};
    auto* input = dynamic_cast<MouseInput*>(&control);
    Relay(input, static_cast<int>(action), event);
    if (clicked && input != nullptr)
        input->Click();
    return true;
}

}  // namespace offscreen
