// The contract tests over the offscreen platform, on virtual time.
#include <optional>

#include "Backend.h"
#include "TemporaryFolder.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace contract {
namespace {

class OffscreenBackend final : public Backend {
public:
    platform::Platform& Platform() override { return platform_; }

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

    void Type(int keyCode) override { platform_.PostKey(keyCode); }

    void MoveToScale(platform::Window& window, platform::Dpi dpi) override {
        platform_.PostDpiChange(window.Name(), dpi);
    }

    bool TakesInput(const platform::Window& window) const override {
        return static_cast<const offscreen::OffscreenWindow&>(window).Enabled();
    }

    std::optional<LabelView> ShownLabel(const platform::Window&,
                                        const platform::Label& label) override {
        platform::Rgb color = 0;
        if (!label.Visible() || !platform_.Gdi().TranslateColor(label.ForeColor(), &color))
            return std::nullopt;
        return LabelView{label.Caption(), {color}, label.Placement()};
    }

    void ClickAt(platform::Window& window, int x, int y) override {
        // The offscreen mouse takes pixels of the screen.
        const platform::Bounds at = window.Placement();
        const platform::Dpi dpi = window.Dpi();
        const int px = dpi.ToPixels(at.left + x);
        const int py = dpi.ToPixels(at.top + y);
        platform_.PostMouseDown(px, py);
        platform_.PostMouseUp(px, py);
    }

    std::string TemporaryFolder() override {
        folder_.emplace();
        return (folder_->Path() / "").string();
    }

private:
    static constexpr int kStep = 10;
    offscreen::OffscreenPlatform platform_;
    std::optional<testing_support::TemporaryFolder> folder_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<OffscreenBackend>();
}

}  // namespace contract
