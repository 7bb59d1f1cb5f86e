#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Controls.h"
#include "platform/win32/Win32Window.h"

namespace win32 {

Win32Platform::Win32Platform(HINSTANCE instance)
    : runtime_(instance), screen_(runtime_), gdi_(runtime_), shell_(runtime_) {
    Win32Window::RegisterWindowClass(runtime_);
    ChildWindow::RegisterWindowClasses(runtime_);
}

Win32Platform::~Win32Platform() {
    runtime_.pump.Disposal().DisposeIfIdle();
}

std::unique_ptr<platform::Window> Win32Platform::CreateForm(const platform::FormDesign& design,
                                                            platform::FormEvents& events) {
    return std::make_unique<Win32Window>(runtime_, design, events);
}

void Win32Platform::Unload(std::unique_ptr<platform::Window> window) {
    if (!window) {
        return;
    }
    // Every window of this platform is a Win32Window.
    static_cast<Win32Window*>(window.get())->DestroyNow();
    runtime_.pump.Disposal().Keep(std::move(window));
}

void Win32Platform::Run() {
    while (runtime_.registry.AnyFormLoaded()) {
        if (!runtime_.pump.PumpOne()) {
            break;
        }
    }
    runtime_.pump.Disposal().DisposeIfIdle();
}

void Win32Platform::ProcessPending() {
    runtime_.pump.PumpPending();
}

}  // namespace win32
