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

// A hidden start shows only the icon, which brings the window back as loaded.
TEST_F(Startup, OnlyTheExactHiddenArgumentHides) {
    for (const char* argument : {"", "/hidden", "/Hidden /x", " /Hidden", "/HIDDEN", "/Hidden"}) {
        StartWith(argument);
        ASSERT_TRUE(Main().Loaded()) << argument;
        EXPECT_EQ(Main().Window().Visible(), argument != std::string("/Hidden")) << argument;
        EXPECT_EQ(Platform().Shell().Icons().size(), 1u);
    }
    Platform().PostIconDoubleClick();
    Run();
    EXPECT_TRUE(Main().Window().Visible());
    EXPECT_EQ(Displays(), (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_EQ(Main().ActiveField(), 0);
}

}  // namespace
