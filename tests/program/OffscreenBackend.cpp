// The suites over the offscreen platform, on virtual time. The steps are fed
// to its event queue one at a time, each once the queue has handled
// everything before it, as the Win32 backend feeds them.
#include <gtest/gtest.h>

#include <deque>

#include "OffscreenProgramTest.h"

namespace program_tests {
namespace {

class OffscreenBackend final : public Backend {
public:
    OffscreenBackend(offscreen::ProgramFacts facts, platform::Dpi dpi)
        : platform_(std::move(facts)) {
        platform_.SetSystemDpi(dpi);
    }
    ~OffscreenBackend() override {
        EXPECT_TRUE(platform_.HandlerErrors().empty())
            << "a handler raised " << platform_.HandlerErrors().front();
    }

    platform::Platform& Platform() override { return platform_; }
    void QueueKey(int keyCode, int shift) override {
        steps_.push_back([this, keyCode, shift] { platform_.PostKey(keyCode, shift); });
    }
    void QueueClick(const std::string& accessibleName) override {
        steps_.push_back([this, accessibleName] { platform_.PostClickOn(accessibleName); });
    }
    void QueueAction(std::function<void()> action) override { steps_.push_back(std::move(action)); }
    void Run() override {
        platform_.Post([this] { Feed(); });
        platform_.RunPending();
    }
    bool RunUntil(const std::function<bool()>& done) override {
        // Twenty seconds of virtual time, in small steps.
        for (int elapsed = 0; elapsed <= 20000; elapsed += kStep) {
            platform_.RunPending();
            if (done())
                return true;
            platform_.PostTick(kStep);
        }
        return false;
    }
    void PassTimeLater(int milliseconds) override { platform_.PostTick(milliseconds); }

    void ClickAt(platform::Window& window, int x, int y) override {
        // The offscreen mouse takes pixels of the screen.
        const platform::Bounds at = window.Placement();
        const int px = window.Dpi().ToPixels(at.left + x);
        const int py = window.Dpi().ToPixels(at.top + y);
        platform_.PostMouseDown(px, py);
        platform_.PostMouseUp(px, py);
    }

    bool LineShown(const platform::Window& window, int index) override {
        const platform::Control* control = Of(window).FindControl("Line1", index);
        return control != nullptr && control->Visible();
    }
    bool TakesInput(const platform::Window& window) override { return Of(window).Enabled(); }
    std::string ClipboardText() override { return platform_.Clipboard().Contents(); }
    void SetClipboardText(const std::string& text) override {
        platform_.Clipboard().SetContents(text);
    }

private:
    // Takes the next step once nothing else waits, and comes back after it.
    void Feed() {
        if (platform_.Idle() && !steps_.empty()) {
            const std::function<void()> step = std::move(steps_.front());
            steps_.pop_front();
            step();
        }
        if (!steps_.empty())
            platform_.Post([this] { Feed(); });
    }

    static const offscreen::OffscreenWindow& Of(const platform::Window& window) {
        return static_cast<const offscreen::OffscreenWindow&>(window);
    }

    static constexpr int kStep = 10;
    offscreen::OffscreenPlatform platform_;
    std::deque<std::function<void()>> steps_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() {
    return MakeOffscreenBackend({}, platform::Dpi());
}

std::unique_ptr<Backend> MakeOffscreenBackend(offscreen::ProgramFacts facts, platform::Dpi dpi) {
    return std::make_unique<OffscreenBackend>(std::move(facts), dpi);
}

}  // namespace program_tests
