// Starting and ending the program: one instance only, the hidden start, and
// the ways a user closes it.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

TEST(Startup, HiddenArgumentLoadsTheWindowWithoutShowingIt) {
    ProgramUnderTest app(L"/Hidden");
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr) << "the hidden window was not loaded";
    EXPECT_FALSE(IsWindowVisible(window));
    // Loaded in full: its displays exist and show their first amount.
    EXPECT_TRUE(app.Shows({{L"lblP(0)", L"0"}, {L"lblP(2)", L"0"}}));
}

// Only the exact text "/Hidden" hides the window.
class OtherArguments : public testing::TestWithParam<const wchar_t*> {};

TEST_P(OtherArguments, ShowTheWindow) {
    ProgramUnderTest app(GetParam());
    HWND window = app.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([window] { return IsWindowVisible(window) != FALSE; }))
        << "the window stays hidden";
}

INSTANTIATE_TEST_SUITE_P(Startup, OtherArguments, testing::Values(L"/hidden", L"/Hidden /Hidden"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             return info.index == 0 ? "OtherCase" : "FurtherArgument";
                         });

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

TEST(Shutdown, AltF4EndsTheProgram) {
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    app.Press({WithAlt(VK_F4)});
    ASSERT_TRUE(app.WaitForExit()) << "the program still runs after Alt+F4";
    EXPECT_EQ(app.ExitCode(), 0u);
}

}  // namespace
}  // namespace e2e
