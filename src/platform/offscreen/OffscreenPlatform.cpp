#include "platform/offscreen/OffscreenPlatform.h"

#include <algorithm>
#include <map>

#include "ProductInfo.h"

namespace offscreen {
namespace {

// The keys that SendKeys understands besides the digits.
const std::map<std::string, int>& NamedKeys() {
    static const std::map<std::string, int> keys = [] {
        std::map<std::string, int> named{{"{ENTER}", platform::vk::kReturn},
                                         {"{TAB}", platform::vk::kTab},
                                         {"{ESC}", platform::vk::kEscape},
                                         {"{BACKSPACE}", platform::vk::kBack}};
        for (int f = 1; f <= 12; ++f) {
            named["{F" + std::to_string(f) + "}"] = platform::vk::kF1 + f - 1;
        }
        return named;
    }();
    return keys;
}

}  // namespace

OffscreenPlatform::OffscreenPlatform(ProgramFacts facts)
    : facts_(std::move(facts)), shell_(*this, facts_.profile) {}

OffscreenPlatform::~OffscreenPlatform() {
    unloaded_.clear();
}

void OffscreenPlatform::SetTwipsPerPixel(int x, int y) {
    twipsPerPixelX_ = x;
    twipsPerPixelY_ = y;
}

std::string OffscreenPlatform::ProductName() const {
    return product::kName;
}
std::string OffscreenPlatform::Version() const {
    return product::kVersion;
}
std::string OffscreenPlatform::FileDescription() const {
    return product::kFileDescription;
}
std::string OffscreenPlatform::LegalCopyright() const {
    return product::kLegalCopyright;
}

void OffscreenPlatform::PostKey(int keyCode, int shift) {
    queue_.push_back([this, keyCode, shift] { DeliverKey(keyCode, shift); });
}

void OffscreenPlatform::PostClick(const std::string& name, int index) {
    queue_.push_back([this, name, index] { DeliverClick(name, index); });
}

void OffscreenPlatform::PostTick(int milliseconds) {
    queue_.push_back([this, milliseconds] { DeliverTick(milliseconds); });
}

void OffscreenPlatform::Post(std::function<void()> action) {
    queue_.push_back(std::move(action));
}

void OffscreenPlatform::RunPending() {
    while (DeliverNext()) {
    }
}

void OffscreenPlatform::Run() {
    while (!windows_.empty() && DeliverNext()) {
    }
}

bool OffscreenPlatform::DeliverNext() {
    if (queue_.empty())
        return false;
    std::function<void()> event = std::move(queue_.front());
    queue_.pop_front();
    Guarded(event);
    DisposeUnloaded();
    return true;
}

void OffscreenPlatform::RunModal(OffscreenWindow& window) {
    // The loop looks at its window after every event: it stays until then.
    ++handlersRunning_;
    while (window.Visible() && !window.Unloaded()) {
        if (DeliverNext())
            continue;
        // The input has ended while the window is open: it is asked to
        // close, as the system would, and hidden if it stays open.
        Guarded([&window] { window.Events().CloseRequested(); });
        if (window.Visible() && !window.Unloaded())
            window.Hide();
    }
    --handlersRunning_;
}

void OffscreenPlatform::Guarded(const std::function<void()>& handler) {
    ++handlersRunning_;
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        handlerErrors_.push_back(error.what());
    } catch (...) {
        --handlersRunning_;
        throw;
    }
    --handlersRunning_;
}

OffscreenWindow* OffscreenPlatform::FindWindow(const std::string& name) const {
    for (OffscreenWindow* window : windows_) {
        if (window->Name() == name && !window->Unloaded())
            return window;
    }
    return nullptr;
}

OffscreenWindow* OffscreenPlatform::ActiveWindow() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OffscreenWindow* window = *it;
        if (window->Visible() && window->Enabled() && !window->Unloaded())
            return window;
    }
    return nullptr;
}

void OffscreenPlatform::DeliverKey(int keyCode, int shift) {
    OffscreenWindow* window = ActiveWindow();
    if (window == nullptr)
        return;
    window->Events().KeyDown(keyCode, shift);
    // The system's own handling of Alt+F4 follows: it asks the window to close.
    bool altF4 = keyCode == platform::vk::kF4 && (shift & platform::shift::kAlt) != 0;
    if (altF4 && std::find(windows_.begin(), windows_.end(), window) != windows_.end() &&
        !window->Unloaded()) {
        window->Events().CloseRequested();
    }
}

void OffscreenPlatform::DeliverClick(const std::string& name, int index) {
    OffscreenWindow* window = ActiveWindow();
    if (window == nullptr)
        return;
    platform::Control* control = window->FindControl(name, index);
    if (control == nullptr) {
        throw platform::RuntimeError("No control " + name + " on " + window->Name());
    }
    if (auto* button = dynamic_cast<OffscreenImageButton*>(control)) {
        button->Click();
    } else if (auto* box = dynamic_cast<OffscreenCheckBox*>(control)) {
        box->Click();
    } else if (auto* surface = dynamic_cast<OffscreenSurface*>(control)) {
        platform::MouseEvent press{platform::button::kLeft, 0, 0, 0};
        if (surface->Mouse().down)
            surface->Mouse().down(press);
        if (surface->Mouse().up)
            surface->Mouse().up(press);
        surface->Click();
    } else if (auto* label = dynamic_cast<OffscreenLabel*>(control)) {
        platform::MouseEvent press{platform::button::kLeft, 0, 0, 0};
        if (label->Mouse().down)
            label->Mouse().down(press);
        if (label->Mouse().up)
            label->Mouse().up(press);
    }
}

void OffscreenPlatform::DeliverTick(int milliseconds) {
    virtualTime_ += milliseconds;
    for (OffscreenWindow* window : std::vector<OffscreenWindow*>(windows_)) {
        if (std::find(windows_.begin(), windows_.end(), window) == windows_.end())
            continue;
        for (const auto& timer : window->Timers())
            timer->CatchUp();
    }
}

std::unique_ptr<platform::Window> OffscreenPlatform::CreateForm(const platform::FormDesign& design,
                                                                platform::FormEvents& events) {
    return std::make_unique<OffscreenWindow>(*this, design, events);
}

void OffscreenPlatform::Unload(std::unique_ptr<platform::Window> window) {
    if (!window)
        return;
    static_cast<OffscreenWindow&>(*window).MarkUnloaded();
    Unregister(static_cast<OffscreenWindow&>(*window));
    unloaded_.push_back(std::move(window));
    DisposeUnloaded();
}

void OffscreenPlatform::DisposeUnloaded() {
    // Only once no handler runs, in any loop: one of the unloaded window's
    // may still be on the stack, below a nested loop.
    if (handlersRunning_ == 0)
        unloaded_.clear();
}

void OffscreenPlatform::Unregister(OffscreenWindow& window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

void OffscreenPlatform::BringToFront(OffscreenWindow& window) {
    Unregister(window);
    windows_.push_back(&window);
}

void OffscreenPlatform::SendKeys(const std::string& keys) {
    for (std::size_t i = 0; i < keys.size();) {
        if (keys[i] == '{') {
            std::size_t end = keys.find('}', i);
            auto named = NamedKeys().find(keys.substr(i, end - i + 1));
            if (end == std::string::npos || named == NamedKeys().end()) {
                throw platform::RuntimeError("Invalid procedure call or argument");
            }
            PostKey(named->second);
            i = end + 1;
        } else if (keys[i] >= '0' && keys[i] <= '9') {
            PostKey(platform::vk::k0 + (keys[i] - '0'));
            ++i;
        } else {
            throw platform::RuntimeError("Invalid procedure call or argument");
        }
    }
}

void OffscreenPlatform::ShowContents(platform::WindowHandle owner, const std::string& helpFile) {
    helpRequests_.push_back({owner, helpFile});
}

void OffscreenPlatform::ShowCritical(const std::string& text, const std::string& title) {
    messages_.push_back({text, title});
}

bool OffscreenPlatform::ActivateByTitle(const std::string& title) {
    for (OffscreenWindow* window : windows_) {
        if (window->Caption() == title && !window->Unloaded()) {
            window->Activate();
            return true;
        }
    }
    return false;
}

}  // namespace offscreen

namespace offscreen {

void OffscreenPlatform::PostMouseDown(int x, int y, int button, int shift) {
    queue_.push_back(
        [this, x, y, button, shift] { DeliverMouse(MouseAction::kDown, x, y, button, shift); });
}

void OffscreenPlatform::PostMouseMove(int x, int y) {
    queue_.push_back([this, x, y] { DeliverMouse(MouseAction::kMove, x, y, 0, 0); });
}

void OffscreenPlatform::PostMouseUp(int x, int y, int button, int shift) {
    queue_.push_back(
        [this, x, y, button, shift] { DeliverMouse(MouseAction::kUp, x, y, button, shift); });
}

OffscreenWindow* OffscreenPlatform::WindowOf(platform::WindowHandle handle) const {
    for (OffscreenWindow* window : windows_) {
        if (window->Handle() == handle)
            return window;
    }
    return nullptr;
}

platform::WindowProc* OffscreenPlatform::ProcedureOf(platform::WindowHandle window) {
    OffscreenWindow* found = WindowOf(window);
    return found == nullptr ? nullptr : &found->Procedure();
}

void OffscreenPlatform::PostIconEvent(std::uint32_t id, unsigned mouseMessage) {
    queue_.push_back([this, id, mouseMessage] { shell_.RaiseIconEvent(id, mouseMessage); });
}

std::optional<Mask>* OffscreenPlatform::RegionOf(platform::WindowHandle window) {
    OffscreenWindow* found = WindowOf(window);
    return found == nullptr ? nullptr : &found->Region();
}

OffscreenWindow* OffscreenPlatform::WindowAt(int x, int y) const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
        OffscreenWindow* window = *it;
        if (!window->Visible() || window->Minimized())
            continue;
        platform::Bounds b = window->Placement();
        if (window->Covers(x - b.left / twipsPerPixelX_, y - b.top / twipsPerPixelY_)) {
            return window;
        }
    }
    return nullptr;
}

namespace {

void Relay(const platform::MouseHandlers& handlers, int action, const platform::MouseEvent& event) {
    const auto& handler = action == 0 ? handlers.down : action == 1 ? handlers.move : handlers.up;
    if (handler)
        handler(event);
}

}  // namespace

void OffscreenPlatform::DeliverMouse(MouseAction action, int x, int y, int button, int shift) {
    pointer_ = {x, y};
    OffscreenWindow* window = capture_ != 0 ? WindowOf(capture_) : WindowAt(x, y);
    if (window == nullptr || !window->Enabled())
        return;
    platform::Bounds b = window->Placement();
    // Client twips: the windows have no border, so client and window agree.
    float cx = static_cast<float>(x * twipsPerPixelX_ - b.left);
    float cy = static_cast<float>(y * twipsPerPixelY_ - b.top);
    platform::Control* control =
        capture_ != 0 ? nullptr : window->ControlAt(static_cast<int>(cx), static_cast<int>(cy));
    platform::MouseEvent event{button, shift, cx, cy};
    const int kind = static_cast<int>(action);
    if (control == nullptr) {
        platform::FormEvents& events = window->Events();
        if (action == MouseAction::kDown)
            events.MouseDown(event);
        if (action == MouseAction::kMove)
            events.MouseMove(event);
        if (action == MouseAction::kUp)
            events.MouseUp(event);
        return;
    }
    platform::Bounds at = control->Placement();
    event.x -= static_cast<float>(at.left);
    event.y -= static_cast<float>(at.top);
    if (auto* label = dynamic_cast<OffscreenLabel*>(control)) {
        Relay(label->Mouse(), kind, event);
    } else if (auto* surface = dynamic_cast<OffscreenSurface*>(control)) {
        Relay(surface->Mouse(), kind, event);
        if (action == MouseAction::kUp)
            surface->Click();
    } else if (auto* button_ = dynamic_cast<OffscreenImageButton*>(control)) {
        if (action == MouseAction::kDown)
            pressed_ = button_;
        if (action == MouseAction::kUp && pressed_ == button_)
            button_->Click();
    } else if (auto* box = dynamic_cast<OffscreenCheckBox*>(control)) {
        if (action == MouseAction::kUp)
            box->Click();
    }
    if (action == MouseAction::kUp)
        pressed_ = nullptr;
}

}  // namespace offscreen
