#include "ProgramTest.h"

#include "Script.h"
#include "app/mMain.h"

namespace program_tests {

void ProgramTest::Start(const platform::LocalDateTime& now, std::unique_ptr<Backend> backend) {
    End();
    backend_ = std::move(backend);
    platform_ = std::make_unique<TestPlatform>(backend_->Platform(), now);
    program_ = std::make_unique<app::Program>(*platform_);
    app::Main(*program_);
    ASSERT_TRUE(Main().Loaded()) << "the program found another instance running";
    Run();
}

void ProgramTest::End() {
    if (!program_)
        return;
    Main().Unload();
    Run();
    program_.reset();
    platform_.reset();
    backend_.reset();
}

void ProgramTest::Queue(const std::vector<std::string>& keys) {
    for (const std::string& name : keys) {
        drive::KeyEvent key;
        ASSERT_TRUE(drive::ParseKey(name, &key)) << name;
        backend_->QueueKey(key.keyCode, key.shift);
    }
}

void ProgramTest::QueueTyping(const std::string& text) {
    for (char c : text) {
        backend_->QueueKey(c == ',' ? platform::vk::kComma : c, 0);
    }
}

void ProgramTest::ExpectActiveField(const ui::ConverterForm& form, int fields, int field) {
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

std::vector<std::string> ProgramTest::Displays(const ui::ConverterForm& form, int fields) {
    std::vector<std::string> texts;
    for (int i = 0; i < fields; ++i)
        texts.push_back(form.DisplayText(i));
    return texts;
}

}  // namespace program_tests
