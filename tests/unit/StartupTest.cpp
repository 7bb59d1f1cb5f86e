// The start-up procedure: one instance, the help file, hidden or shown.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

namespace {

class Startup : public testing_support::ProgramFixture {
protected:
    void StartWith(const std::string& commandLine, bool prevInstance = false) {
        offscreen::ProgramFacts facts;
        facts.commandLine = commandLine;
        facts.prevInstance = prevInstance;
        facts.path = "C:\\Prog";
        Start(testing_support::kAfterChangeover, facts);
    }
};

TEST_F(Startup, ASecondInstanceLoadsNothing) {
    StartWith("", true);
    EXPECT_TRUE(Platform().LoadedWindows().empty());
    EXPECT_FALSE(Main().Loaded());
    EXPECT_EQ(Platform().App().HelpFile(), "");
}

TEST_F(Startup, NamesTheHelpFileInTheProgramsFolder) {
    StartWith("");
    EXPECT_EQ(Platform().App().HelpFile(), "C:\\Prog\\Convalis.hlp");

    offscreen::ProgramFacts atRoot;
    atRoot.path = "D:\\";
    Start(testing_support::kAfterChangeover, atRoot);
    EXPECT_EQ(Platform().App().HelpFile(), "D:\\Convalis.hlp");
}

// What a hidden start shows instead: TrayIcon.AHiddenStartShowsOnlyTheIcon.
TEST_F(Startup, OnlyTheExactHiddenArgumentHides) {
    for (const char* argument : {"/Hidden", "", "/hidden", "/Hidden /x", " /Hidden", "/HIDDEN"}) {
        StartWith(argument);
        ASSERT_TRUE(Main().Loaded()) << argument;
        EXPECT_EQ(Main().Window().Visible(), argument != std::string("/Hidden")) << argument;
    }
}

}  // namespace
