#include "ProgramFixture.h"

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

void ProgramFixture::ExpectActiveField(const ui::ConverterForm& form, int fields, int field) {
    const platform::OleColor highlight = platform::SystemColor(platform::syscolor::kHighlight);
    const platform::OleColor text = platform::SystemColor(platform::syscolor::kWindowText);
    EXPECT_EQ(form.ActiveField(), field);
    for (int i = 0; i < fields; ++i) {
        EXPECT_EQ(form.Display(i).ForeColor(), i == field ? highlight : text) << "display " << i;
        // Two fields may share one caption.
        const bool shared = &form.Caption(i) == &form.Caption(field);
        EXPECT_EQ(form.Caption(i).ForeColor(), shared ? highlight : text) << "caption " << i;
    }
    const platform::Bounds display = form.Display(field).Placement();
    const platform::Bounds marker = form.FocusMarker().Placement();
    EXPECT_EQ(marker.left, display.left + display.width + 70);
    EXPECT_EQ(marker.top, display.top);
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
