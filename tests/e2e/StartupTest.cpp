// Starting the program: its argument text, one instance only.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

// Only the exact text "/Hidden" hides the window (the hidden start is the
// notification icon's test): the whole argument text counts.
TEST(Startup, AFurtherArgumentShowsTheWindow) {
    ProgramUnderTest app(L"/Hidden /Hidden");
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([window] { return IsWindowVisible(window) != FALSE; }))
        << "the window stays hidden";
}

TEST(Startup, SecondInstanceEndsAtOnceAndTheFirstKeepsItsWindow) {
    ProgramUnderTest first;
    HWND window = first.WaitForShownMainWindow();
    ASSERT_NE(window, nullptr);

    ProgramUnderTest second;
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitForExit()) << "the second instance still runs";
    EXPECT_EQ(first.FindMainWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(first.ExitCode().has_value()) << "the first instance ended";
}

}  // namespace
}  // namespace e2e
