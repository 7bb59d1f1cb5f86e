// The notification-area icon: it stays while the program runs, hides and
// shows the main window, and goes with the program.
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

TEST_F(NotificationIcon, AltRHidesTheWindowAndADoubleClickOnTheIconBringsItBackAsItWas) {
    HWND window = app_.MainWindow();
    const RECT placeBefore = WindowRect(window);
    app_.Type(L"12");
    ASSERT_TRUE(app_.Shows(L"lblP(0)", L"12"));

    app_.Press({WithAlt('R')});
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); })) << "still shown";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(app_.ExitCode().has_value()) << "the program ended";
    const std::optional<RECT> icon = FindNotificationIcon();
    ASSERT_TRUE(icon.has_value()) << "the icon went with the window";

    ASSERT_TRUE(SendDoubleClick(Centre(*icon)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }))
        << "a double click on the icon did not show the window";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }))
        << "the window did not come to the front";
    const RECT placeAfter = WindowRect(window);
    EXPECT_EQ(placeAfter.left, placeBefore.left);
    EXPECT_EQ(placeAfter.top, placeBefore.top);

    // The entry goes on where it was left.
    EXPECT_TRUE(app_.Shows({{L"lblP(0)", L"12"}, {L"lblP(2)", L"0"}}));
    app_.Type(L"3");
    app_.Press({{VK_RETURN}});
    EXPECT_TRUE(app_.Shows({{L"lblP(0)", L"123"}, {L"lblP(2)", L"18,75"}}));
}

TEST_F(NotificationIcon, GoesWhenAltF4EndsTheProgram) {
    app_.Press({WithAlt(VK_F4)});
    ASSERT_TRUE(app_.WaitForExit()) << "the program still runs after Alt+F4";
    EXPECT_EQ(app_.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntilNoNotificationIcon()) << "the icon stayed after the program ended";
}

TEST(HiddenStart, ShowsOnlyTheIconWhoseDoubleClickShowsTheWindow) {
    ProgramUnderTest app(L"/Hidden");
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    const std::optional<RECT> icon = WaitForNotificationIcon();
    ASSERT_TRUE(icon.has_value()) << "no icon in the notification area";
    EXPECT_FALSE(IsWindowVisible(window));

    ASSERT_TRUE(SendDoubleClick(Centre(*icon)));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }))
        << "a double click on the icon did not show the window";
    app.Type(L"7");
    EXPECT_TRUE(app.Shows(L"lblP(0)", L"7")) << "the window shown does not take keys";
}

}  // namespace
}  // namespace e2e
