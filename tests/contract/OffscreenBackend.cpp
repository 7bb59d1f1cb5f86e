// The contract tests over the offscreen platform, on virtual time.
#include <filesystem>
#include <random>

#include "Backend.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace contract {
namespace {

namespace fs = std::filesystem;

class OffscreenBackend final : public Backend {
public:
    ~OffscreenBackend() override {
        if (!folder_.empty()) {
            std::error_code ignored;
            fs::remove_all(folder_, ignored);
        }
    }

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

    std::string TemporaryFolder() override {
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("convalis-contract-" + std::to_string(random()));
        fs::create_directories(folder_);
        return (folder_ / "").string();
    }

private:
    static constexpr int kStep = 10;
    offscreen::OffscreenPlatform platform_;
    fs::path folder_;
};

}  // namespace

std::unique_ptr<Backend> MakeBackend() {
    return std::make_unique<OffscreenBackend>();
}

}  // namespace contract
