// The notification-area icon: its tip, and it goes with the program; a
// hidden start shows only the icon.
#include <gtest/gtest.h>

#include "NotificationArea.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

class NotificationIcon : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
        icon_ = WaitForNotificationIcon();
        ASSERT_TRUE(icon_.has_value()) << "no icon in the notification area";
    }

    // The program's amounts use the French number format.
    ScopedUserSetting frenchDecimal_{L"Control Panel\\International", L"sDecimal", L","};
    ProgramUnderTest app_;
    std::optional<RECT> icon_;
};

TEST_F(NotificationIcon, HasTheProgramsNameAsItsTip) {
    EXPECT_EQ(Utf8(NotificationTip(*icon_)), "Convalis");
}

TEST_F(NotificationIcon, GoesWhenAltF4EndsTheProgram) {
    app_.Press({WithAlt(VK_F4)});
    ASSERT_TRUE(app_.WaitForExit()) << "the program still runs after Alt+F4";
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntilNoNotificationIcon()) << "the icon stayed after the program ended";
}

// Only the exact argument text "/Hidden" hides the window.
TEST(HiddenStart, OnlyTheExactArgumentTextHidesTheWindow) {
    {
        ProgramUnderTest hidden(L"/Hidden");
        const HWND window = hidden.WaitForMainWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForNotificationIcon().has_value()) << "no icon in the notification area";
        EXPECT_FALSE(IsWindowVisible(window));
    }
    ProgramUnderTest shown(L"/Hidden /Hidden");
    EXPECT_NE(shown.WaitForShownMainWindow(), nullptr) << "the window stays hidden";
}

}  // namespace
}  // namespace e2e
