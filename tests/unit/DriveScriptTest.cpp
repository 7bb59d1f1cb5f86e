// The driver's script reader; its errors are checked on a bad script as the
// driver prints them (drive/bad.txt).
#include <gtest/gtest.h>

#include <sstream>

#include "Script.h"
#include "platform/Types.h"

namespace {

drive::Script Read(const std::string& text) {
    std::istringstream input(text);
    return drive::ReadScript(input);
}

TEST(DriveScript, ReadsKeysWithModifiersClicksAndDumps) {
    drive::Script script = Read(
        "# comment\n\nkey Shift+Ctrl+Tab\nclick imaCommand(5)\n"
        "click nrvFocus\n  dump  \nkey Num0\nkey F12\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.events.size(), 6u);
    auto key = std::get<drive::KeyEvent>(script.events[0]);
    EXPECT_EQ(key.keyCode, platform::vk::kTab);
    EXPECT_EQ(key.shift, platform::shift::kShift | platform::shift::kCtrl);
    auto click = std::get<drive::ClickEvent>(script.events[1]);
    EXPECT_EQ(click.control, "imaCommand");
    EXPECT_EQ(click.index, 5);
    EXPECT_EQ(std::get<drive::ClickEvent>(script.events[2]).index, -1);
    EXPECT_TRUE(std::holds_alternative<drive::DumpEvent>(script.events[3]));
    EXPECT_EQ(std::get<drive::KeyEvent>(script.events[4]).keyCode, platform::vk::kNumpad0);
    EXPECT_EQ(std::get<drive::KeyEvent>(script.events[5]).keyCode, platform::vk::kF12);
}

}  // namespace
