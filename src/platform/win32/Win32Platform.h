// The Win32 window platform: real windows, controls and system services.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/shell/Win32Shell.h"

namespace win32 {

class Win32Platform final : public platform::Platform {
public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Application& App() override { return application_; }
    const platform::Screen& Display() const override { return screen_; }
    const platform::Clock& Time() const override { return clock_; }
    const platform::NumberFormat& Numbers() const override { return numbers_; }
    platform::Keyboard& Keys() override { return keyboard_; }
    platform::Help& HelpViewer() override { return help_; }
    platform::MessageBox& Messages() override { return messages_; }
    platform::Gdi& Graphics() override { return gdi_; }
    platform::Activation& Windows() override { return activation_; }
    platform::Pointer& Mouse() override { return pointer_; }
    platform::Shell& ShellServices() override { return shell_; }
    platform::Registry& RegistryReader() override { return registry_; }
    platform::Clipboard& ClipboardText() override { return clipboard_; }
    platform::Beeper& Sound() override { return beeper_; }

    std::unique_ptr<platform::Window> CreateForm(const platform::FormDesign& design,
                                                 platform::FormEvents& events) override;
    void Unload(std::unique_ptr<platform::Window> window) override;
    void Run() override;
    // Handles the messages queued now as Run does, then returns.
    void ProcessPending();

private:
    Runtime runtime_;
    Win32Application application_;
    Win32Screen screen_;
    Win32Clock clock_;
    Win32NumberFormat numbers_;
    Win32Keyboard keyboard_;
    Win32Help help_;
    Win32MessageBox messages_;
    Win32Gdi gdi_;
    Win32Activation activation_;
    Win32Pointer pointer_;
    Win32Shell shell_;
    Win32Registry registry_;
    Win32Clipboard clipboard_;
    Win32Beeper beeper_;
};

}  // namespace win32
