// What every window of the program shares: one platform window, created when
// the form loads and gone when it unloads, with the coin face.
#pragma once

#include <memory>

#include "platform/Platform.h"

namespace ui {

class Form : protected platform::FormEvents {
public:
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool Loaded() const { return window_ != nullptr; }
    platform::Window& Window() { return *window_; }
    const platform::Window& Window() const { return *window_; }

    // Loads the form when it is not loaded: creates the window with the
    // common picture, then its controls, then runs Form_Load.
    void Load();
    // Runs Form_Unload, then unloads the window.
    void Unload();
    // Loads the form when it is not loaded, centres it over `owner` and shows
    // it modal; returns once it is hidden or unloaded.
    void ShowModal(platform::Window& owner);

protected:
    Form(platform::Platform& platform, const char* name, bool showInTaskbar);

    platform::Platform& Platform() { return platform_; }

    virtual void CreateControls() = 0;
    virtual void Form_Load() = 0;
    virtual void Form_Unload() {}
    // Drops the controls: they go with the window.
    virtual void ForgetControls() = 0;

    // FormEvents
    void Resize() override;
    // The face again at the new scale: size, region and frame; a window that
    // drew more redraws it too.
    void DpiChanged() override;
    void CloseRequested() override { Unload(); }

private:
    platform::Platform& platform_;
    std::unique_ptr<platform::Window> window_;
    const char* name_;
    bool showInTaskbar_;
};

// Unloads a form when the scope ends, however it ends: also when a handler
// is ended by a run-time error on the way.
class UnloadAtExit {
public:
    explicit UnloadAtExit(Form& form) : form_(form) {}
    ~UnloadAtExit() { form_.Unload(); }
    UnloadAtExit(const UnloadAtExit&) = delete;
    UnloadAtExit& operator=(const UnloadAtExit&) = delete;

private:
    Form& form_;
};

}  // namespace ui
