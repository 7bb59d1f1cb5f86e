#include "ProgramFixture.h"

#include <cmath>

#include "Script.h"

namespace testing_support {

void ProgramFixture::Queue(const std::vector<std::string>& keys) {
    for (const std::string& name : keys) {
        drive::KeyEvent key;
        ASSERT_TRUE(drive::ParseKey(name, &key)) << name;
        platform_->PostKey(key.keyCode, key.shift);
    }
}

void ProgramFixture::Press(const std::vector<std::string>& keys) {
    Queue(keys);
    platform_->RunPending();
}

platform::Point ProgramFixture::CentreOf(const std::string& window, const std::string& control,
                                         int index) const {
    const offscreen::OffscreenWindow* form = platform_->FindWindow(window);
    const platform::Control* found = form != nullptr ? form->FindControl(control, index) : nullptr;
    if (found == nullptr) {
        ADD_FAILURE() << "no control " << control << " on " << window;
        return {};
    }
    const platform::Bounds at = form->Placement();
    const platform::Bounds place = found->Placement();
    const double twipsPerPixel = form->Dpi().TwipsPerPixel();
    const auto pixel = [twipsPerPixel](int twips) {
        return static_cast<int>(std::floor(twips / twipsPerPixel));
    };
    return {pixel(at.left + place.left + place.width / 2),
            pixel(at.top + place.top + place.height / 2)};
}

void ProgramFixture::QueueLeftButtonDrag(const std::vector<platform::Point>& points) {
    platform_->PostMouseDown(points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i)
        platform_->PostMouseMove(points[i].x, points[i].y);
    platform_->PostMouseUp(points.back().x, points.back().y);
}

void ProgramFixture::QueueTyping(const std::string& text) {
    for (char c : text) {
        platform_->PostKey(c == ',' ? platform::vk::kComma : c, 0);
    }
}

void ProgramFixture::Type(const std::string& text) {
    QueueTyping(text);
    platform_->RunPending();
}

}  // namespace testing_support
