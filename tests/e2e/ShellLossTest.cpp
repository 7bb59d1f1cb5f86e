// The shell losing the program's icon, and the shell gone: a hidden window
// always keeps a way back. Wine's explorer cannot be restarted in the tests'
// virtual desktop (the desktop goes with it), and a restarted one sends no
// "TaskbarCreated"; so the tests play the shell's part from outside: they
// take the icon out of Wine's notification area, tell the windows that the
// task bar is back, and put a notification area that refuses every icon in
// front of Wine's.
#include <gtest/gtest.h>

#include "NotificationArea.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr UINT kIconId = 61860;
// The program looks after a hidden window's icon every 5 s.
constexpr std::chrono::milliseconds kLookAfter{5000};

class ShellLoss : public testing::Test {
protected:
    void Hide() {
        app_.Press({WithAlt('R')});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); })) << "still shown";
    }
    void LoseIcon() {
        ASSERT_TRUE(RemoveNotificationIcon(window_, kIconId));
        ASSERT_TRUE(WaitUntilNoNotificationIcon());
    }
    // The window shows a typed digit once it has taken the keys before it.
    testing::AssertionResult TakesKeys(const wchar_t* digit, const wchar_t* shown) {
        app_.Type(digit);
        return app_.Shows(L"lblP(0)", shown);
    }
    testing::AssertionResult DoubleClickShowsTheWindow() {
        // The shell may still be drawing the icon it was just handed.
        const std::optional<RECT> icon = WaitForNotificationIcon();
        if (!icon || !SendClick(Centre(*icon), 2)) {
            return testing::AssertionFailure() << "no icon to double-click";
        }
        return testing::AssertionResult(
                   WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }))
               << "the double click did not show the window";
    }

    ProgramUnderTest app_;
    HWND window_ = nullptr;
};

// The icon comes back when the shell says it is back, and unasked while the
// window is hidden. Without the shell the window never hides, and a hidden
// one comes back on the screen; once the shell is back, it hides again
// with its icon.
TEST_F(ShellLoss, TheIconComesBackAndWithoutTheShellTheWindowStaysInSight) {
    window_ = app_.WaitForMainWindow();
    ASSERT_NE(window_, nullptr);
    ASSERT_TRUE(WaitForNotificationIcon().has_value()) << "no icon in the notification area";
    LoseIcon();
    BroadcastTaskbarCreated();
    ASSERT_TRUE(WaitForNotificationIcon().has_value()) << "the icon did not come back";
    EXPECT_EQ(NotificationIcons().size(), 1u);
    Hide();
    ASSERT_TRUE(DoubleClickShowsTheWindow());

    Hide();
    LoseIcon();
    ASSERT_TRUE(WaitForNotificationIcon().has_value()) << "the hidden window is lost";
    EXPECT_EQ(NotificationIcons().size(), 1u);
    EXPECT_FALSE(IsWindowVisible(window_));
    ASSERT_TRUE(DoubleClickShowsTheWindow());

    LoseIcon();
    {
        RefusingNotificationArea refusing;
        app_.Press({WithAlt('R')});
        ASSERT_TRUE(TakesKeys(L"7", L"7"));
        EXPECT_TRUE(IsWindowVisible(window_)) << "hidden with no icon to come back by";
        EXPECT_GE(refusing.Refused(), 2) << "the program did not ask the shell for its icon";
    }
    Hide();
    ASSERT_TRUE(WaitForNotificationIcon().has_value());
    LoseIcon();
    {
        RefusingNotificationArea refusing;
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, 4 * kLookAfter))
            << "hidden for good with no icon";
        EXPECT_GE(refusing.Refused(), 2);
        app_.Press({{VK_ESCAPE}});  // ends the entry before, if any
        EXPECT_TRUE(TakesKeys(L"4", L"4"));
    }
    Hide();
    EXPECT_TRUE(DoubleClickShowsTheWindow());
}

}  // namespace
}  // namespace e2e
