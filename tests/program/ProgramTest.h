// What every program test starts from: the whole program, started as its
// entry point starts it, over a backend, and driven as a user drives it:
// keys, typing and clicks, and checks that run between them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Backend.h"
#include "app/Program.h"

namespace program_tests {

// A date on which the change row is shown at start, and one on which not.
inline constexpr platform::LocalDateTime kBeforeChangeover{2002, 2, 18, 23, 59, 59};
inline constexpr platform::LocalDateTime kAfterChangeover{2002, 2, 19, 0, 0, 0};

// The backend's platform with the test's date and decimal separator, and a
// beep and a help viewer that count what the program asked of them: the
// same start on either backend, and nothing that blocks a test (a help
// viewer looking for its file).
class TestPlatform final : public platform::Platform,
                           platform::Clock,
                           platform::NumberFormat,
                           platform::Beeper,
                           platform::Help {
public:
    struct HelpRequest {
        platform::WindowHandle owner;
        std::string file;
    };

    TestPlatform(platform::Platform& backend, platform::LocalDateTime now)
        : backend_(backend), now_(now) {}

    void SetDecimalSeparator(const std::string& separator) { separator_ = separator; }
    int Beeps() const { return beeps_; }
    const std::vector<HelpRequest>& HelpRequests() const { return helpRequests_; }

    platform::Application& App() override { return backend_.App(); }
    const platform::Screen& Display() const override { return backend_.Display(); }
    const platform::Clock& Time() const override { return *this; }
    const platform::NumberFormat& Numbers() const override { return *this; }
    platform::Keyboard& Keys() override { return backend_.Keys(); }
    platform::Help& HelpViewer() override { return *this; }
    platform::MessageBox& Messages() override { return backend_.Messages(); }
    platform::Gdi& Graphics() override { return backend_.Graphics(); }
    platform::Activation& Windows() override { return backend_.Windows(); }
    platform::Pointer& Mouse() override { return backend_.Mouse(); }
    platform::Shell& ShellServices() override { return backend_.ShellServices(); }
    platform::Registry& RegistryReader() override { return backend_.RegistryReader(); }
    platform::Clipboard& ClipboardText() override { return backend_.ClipboardText(); }
    platform::Beeper& Sound() override { return *this; }
    std::unique_ptr<platform::Window> CreateForm(const platform::FormDesign& design,
                                                 platform::FormEvents& events) override {
        return backend_.CreateForm(design, events);
    }
    void Unload(std::unique_ptr<platform::Window> window) override {
        backend_.Unload(std::move(window));
    }
    void Run() override { backend_.Run(); }

private:
    platform::LocalDateTime Now() const override { return now_; }
    std::string DecimalSeparator() const override { return separator_; }
    void Beep() override { ++beeps_; }
    void ShowContents(platform::WindowHandle owner, const std::string& file) override {
        helpRequests_.push_back({owner, file});
    }

    platform::Platform& backend_;
    platform::LocalDateTime now_;
    std::string separator_ = ",";
    int beeps_ = 0;
    std::vector<HelpRequest> helpRequests_;
};

class ProgramTest : public ::testing::Test {
protected:
    // Starts the program as its entry point does, over a new backend,
    // ending a run before (and its backend: one runs at a time).
    void Start(const platform::LocalDateTime& now = kAfterChangeover) {
        End();
        Start(now, MakeBackend());
    }
    void Start(const platform::LocalDateTime& now, std::unique_ptr<Backend> backend);
    // Unloads what is loaded.
    void End();
    void TearDown() override { End(); }

    // Keys by name, "Alt+F4", "Shift+Tab", "Num5", "1"..., and checks: queued,
    // then run by Run in turn, so that checks may run inside a modal loop.
    void Queue(const std::vector<std::string>& keys);
    // The keys that type `text`: digits and the comma.
    void QueueTyping(const std::string& text);
    // A click on what a screen reader reads by `accessibleName` in the
    // active window: a button's tip, a label's or a check box's text.
    void QueueClick(const std::string& accessibleName) { backend_->QueueClick(accessibleName); }
    void Then(std::function<void()> check) { backend_->QueueAction(std::move(check)); }
    void Run() { backend_->Run(); }

    void Press(const std::vector<std::string>& keys) {
        Queue(keys);
        Run();
    }
    void Type(const std::string& text) {
        QueueTyping(text);
        Run();
    }
    void Click(const std::string& accessibleName) {
        QueueClick(accessibleName);
        Run();
    }

    // `field` of a converter window's `fields` is the active one and shows
    // it: its display and caption highlighted, no other, the marker beside
    // its display.
    static void ExpectActiveField(const ui::ConverterForm& form, int fields, int field);
    static std::vector<std::string> Displays(const ui::ConverterForm& form, int fields);

    converter::frmConvalis& Main() { return program_->MainWindow(); }
    std::vector<std::string> Displays() {
        return Displays(Main(), converter::frmConvalis::kFields);
    }
    // Whether a window other than the main window is loaded.
    bool AnyOtherWindowLoaded() {
        return program_->ZoneEuro().Loaded() || program_->Options().Loaded() ||
               program_->About().Loaded();
    }
    TestPlatform& Platform() { return *platform_; }
    Backend& System() { return *backend_; }

    std::unique_ptr<Backend> backend_;
    std::unique_ptr<TestPlatform> platform_;
    std::unique_ptr<app::Program> program_;
};

}  // namespace program_tests
