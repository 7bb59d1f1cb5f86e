#include "platform/offscreen/OffscreenPlatform.h"

namespace offscreen {

OffscreenPlatform::OffscreenPlatform(ProgramFacts facts)
    : services_(std::move(facts)), shell_(services_.Facts().files) {}

OffscreenPlatform::~OffscreenPlatform() = default;

void OffscreenPlatform::PostKey(int keyCode, int shift) {
    queue_.Post([this, keyCode, shift] { desktop_.DeliverKey(keyCode, shift); });
}

void OffscreenPlatform::PostKeys(const std::vector<int>& keyCodes) {
    for (int keyCode : keyCodes)
        PostKey(keyCode);
}

void OffscreenPlatform::PostClick(const std::string& name, int index) {
    queue_.Post([this, name, index] { desktop_.DeliverClick(name, index); });
}

void OffscreenPlatform::PostClickOn(const std::string& accessibleName) {
    queue_.Post([this, accessibleName] { desktop_.DeliverClickOn(accessibleName); });
}

void OffscreenPlatform::PostTick(int milliseconds) {
    queue_.Post([this, milliseconds] { desktop_.DeliverTick(milliseconds); });
}

void OffscreenPlatform::PostMouseDown(int x, int y, int button, int shift) {
    PostMouse(MouseAction::kDown, x, y, button, shift);
}

void OffscreenPlatform::PostMouseMove(int x, int y) {
    PostMouse(MouseAction::kMove, x, y, 0, 0);
}

void OffscreenPlatform::PostMouseUp(int x, int y, int button, int shift) {
    PostMouse(MouseAction::kUp, x, y, button, shift);
}

void OffscreenPlatform::PostMouse(MouseAction action, int x, int y, int button, int shift) {
    queue_.Post([this, action, x, y, button, shift] {
        desktop_.DeliverMouse(action, x, y, button, shift);
    });
}

void OffscreenPlatform::PostDpiChange(const std::string& windowName, platform::Dpi dpi) {
    queue_.Post([this, windowName, dpi] {
        OffscreenWindow* window = desktop_.FindWindow(windowName);
        if (window == nullptr)
            throw platform::RuntimeError("No window named " + windowName);
        window->ChangeDpi(dpi);
    });
}

void OffscreenPlatform::PostIconDoubleClick() {
    queue_.Post([this] { shell_.DoubleClickIcons(); });
}

void OffscreenPlatform::PostShellRestart(bool refusesIcons) {
    queue_.Post([this, refusesIcons] {
        shell_.SetRefuseIcons(refusesIcons);
        shell_.Restart();
    });
}

void OffscreenPlatform::RunPending() {
    queue_.Run([] { return true; });
}

void OffscreenPlatform::Run() {
    queue_.Run([this] { return !desktop_.LoadedWindows().empty(); });
}

std::unique_ptr<platform::Window> OffscreenPlatform::CreateForm(const platform::FormDesign& design,
                                                                platform::FormEvents& events) {
    return std::make_unique<OffscreenWindow>(*this, design, events);
}

void OffscreenPlatform::Unload(std::unique_ptr<platform::Window> window) {
    if (!window)
        return;
    auto& unloaded = static_cast<OffscreenWindow&>(*window);
    unloaded.MarkUnloaded();
    desktop_.Unregister(unloaded);
    queue_.DisposeLater(std::move(window));
}

}  // namespace offscreen
