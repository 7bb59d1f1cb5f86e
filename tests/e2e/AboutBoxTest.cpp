// The about box: the publisher's addresses open through the shell, as links
// do, only when the button is released over them.
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"
#include "ShellLaunches.h"

namespace e2e {
namespace {

// A press on the web address released far away opens nothing; released
// over it after moving off and back, it opens the address, as a click on a
// link does.
TEST(AboutBox, ALinkOpensOnlyWhenReleasedOverIt) {
    // Started before the program, which finds it through its environment.
    LaunchRecorder launches;
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForShownMainWindow(), nullptr);
    app.Click(L"imaCommand(3)");
    const ProgramWindow about = app.WaitForWindow(WindowKind::kAbout);
    ASSERT_TRUE(about) << "no about box opened";
    const POINT farAway{20, 700};
    ASSERT_TRUE(about.PressAndReleaseAlong(L"lblWeb", {farAway}));
    // Clicked after it, the mail address opens once the release far away
    // has been handled.
    about.Click(L"lblMail");
    ASSERT_TRUE(WaitUntil([&] { return !launches.Launches().empty(); }))
        << "the mail address did not open";
    std::vector<std::wstring> opened = launches.Launches();
    ASSERT_EQ(opened.size(), 1u) << "opened " << Utf8(opened[0]) << " and more";
    EXPECT_TRUE(ContainsNoCase(opened[0], L"mailto: " + about.Text(L"lblMail"))) << Utf8(opened[0]);

    ASSERT_TRUE(about.PressAndReleaseAlong(L"lblWeb", {farAway, about.CentreOf(L"lblWeb")}));
    ASSERT_TRUE(WaitUntil([&] { return launches.Launches().size() == 2; }))
        << "the web address did not open";
    opened = launches.Launches();
    EXPECT_TRUE(ContainsNoCase(opened[1], about.Text(L"lblWeb"))) << Utf8(opened[1]);
    EXPECT_TRUE(about.IsShown());
}

}  // namespace
}  // namespace e2e
