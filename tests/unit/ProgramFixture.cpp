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

void ProgramFixture::Type(const std::string& text) {
    for (char c : text) {
        platform_->PostKey(c == ',' ? platform::vk::kComma : c, 0);
    }
    platform_->RunPending();
}

}  // namespace testing_support
