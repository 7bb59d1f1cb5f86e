// The system services of the Win32 platform besides windows and drawing.
#pragma once

#include <string>
#include <vector>

#include "platform/ProductApplication.h"
#include "platform/Services.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Runtime.h"

namespace win32 {

class Win32Application final : public platform::ProductApplication {
public:
    Win32Application();

    bool PrevInstance() const override { return prevInstance_; }
    std::string Path() const override;
    std::string CommandLine() const override;
    const std::string& HelpFile() const override { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) override { helpFile_ = helpFile; }
    // Read from the program file when asked: only the about box shows it.
    std::string Version() const override;

private:
    // Held for the whole run: its existence at start tells of an earlier
    // instance of this user.
    UniqueKernelHandle instanceMutex_;
    bool prevInstance_ = false;
    std::string helpFile_;
};

// The argument text of a command line: what follows the program's name,
// quoted or not, without the one blank that separates them.
std::wstring ArgumentText(const std::wstring& commandLine);
// The folder of a file path, without its trailing backslash except at a
// drive root.
std::wstring FolderOf(const std::wstring& filePath);

class Win32Screen final : public platform::Screen {
public:
    explicit Win32Screen(const Runtime& runtime) : runtime_(runtime) {}
    platform::Dpi SystemDpi() const override { return runtime_.units.SystemDpi(); }
    int WidthTwips() const override;
    int HeightTwips() const override;

private:
    const Runtime& runtime_;
};

class Win32Clock final : public platform::Clock {
public:
    platform::LocalDateTime Now() const override;
};

class Win32NumberFormat final : public platform::NumberFormat {
public:
    std::string DecimalSeparator() const override;
};

class Win32Keyboard final : public platform::Keyboard {
protected:
    void PostKeys(const std::vector<int>& keyCodes) override;
};

class Win32Help final : public platform::Help {
public:
    void ShowContents(platform::WindowHandle owner, const std::string& helpFile) override;
};

class Win32MessageBox final : public platform::MessageBox {
public:
    void ShowCritical(const std::string& text, const std::string& title) override;
};

class Win32Activation final : public platform::Activation {
public:
    bool ActivateByTitle(const std::string& title) override;
};

class Win32Pointer final : public platform::Pointer {
public:
    platform::Point CursorPos() const override;
    void SetCapture(platform::WindowHandle window) override;
    void ReleaseCapture() override;
};

}  // namespace win32
