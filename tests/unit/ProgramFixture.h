// Runs the whole program on the offscreen platform and drives it as a user
// would: keys and clicks through the platform's event queue.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace testing_support {

// A date on which the change row is shown at start, and one on which not.
inline constexpr platform::LocalDateTime kBeforeChangeover{2002, 2, 18, 23, 59, 59};
inline constexpr platform::LocalDateTime kAfterChangeover{2002, 2, 19, 0, 0, 0};

class ProgramFixture : public ::testing::Test {
protected:
    // Starts the program as its entry point does, ending a run before; its
    // windows open at the scale `dpi`.
    void Start(const platform::LocalDateTime& now = kAfterChangeover,
               offscreen::ProgramFacts facts = {}, platform::Dpi dpi = platform::Dpi()) {
        End();
        platform_ = std::make_unique<offscreen::OffscreenPlatform>(std::move(facts));
        platform_->SetNow(now);
        platform_->SetSystemDpi(dpi);
        program_ = std::make_unique<app::Program>(*platform_);
        app::Main(*program_);
    }

    void TearDown() override { End(); }

    // Unloads what is loaded; no handler may have raised an error.
    void End() {
        if (!program_)
            return;
        program_->MainWindow().Unload();
        platform_->RunPending();
        EXPECT_TRUE(platform_->HandlerErrors().empty())
            << "a handler raised " << platform_->HandlerErrors().front();
        program_.reset();
        platform_.reset();
    }

    // Presses keys one after the other; "Alt+F4", "Shift+Tab", "Num5", "1"...
    void Press(const std::vector<std::string>& keys);
    // Types the characters of `text`: digits and the comma.
    void Type(const std::string& text);
    // For windows shown modal: queue keys and checks, then run them all in
    // one go, so that the checks run inside the modal window's loop.
    void Queue(const std::vector<std::string>& keys);
    void Then(std::function<void()> check) { platform_->Post(std::move(check)); }
    void QueueClick(const std::string& control, int index = -1) {
        platform_->PostClick(control, index);
    }
    void Run() { platform_->RunPending(); }

    void Click(const std::string& control, int index = -1) {
        platform_->PostClick(control, index);
        platform_->RunPending();
    }

    converter::frmConvalis& Main() { return program_->MainWindow(); }
    offscreen::OffscreenPlatform& Platform() { return *platform_; }
    std::vector<std::string> Displays() {
        std::vector<std::string> texts;
        for (int i = 0; i < converter::frmConvalis::kFields; ++i)
            texts.push_back(Main().DisplayText(i));
        return texts;
    }

    std::unique_ptr<offscreen::OffscreenPlatform> platform_;
    std::unique_ptr<app::Program> program_;
};

}  // namespace testing_support
