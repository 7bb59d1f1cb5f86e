// The driver's script reader: every line is checked before anything runs.
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

TEST(DriveScript, ReportsEveryBadLineWithItsNumber) {
    drive::Script script = Read(
        "key 1\nkey Alt+\nclick lblP\nclick lblP(4)\nclick imaCommand(x)\n"
        "key F13\nkey Num10\nkey\nwait 5\n");
    std::vector<int> lines;
    for (const auto& error : script.errors)
        lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
}

}  // namespace
