// Help: F1 and the help button hand Convalis.hlp in the program's folder to
// the help viewer, once for each request. The file does not exist, so Wine's
// viewer asks where it is; the tests answer "No".
#include <gtest/gtest.h>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kHelpViewer[] = L"winhlp32.exe";
constexpr wchar_t kHelpFileName[] = L"Convalis.hlp";

void EndHelpViewers() {
    for (DWORD viewer : ProcessesNamed(kHelpViewer)) {
        TerminateProcessById(viewer);
    }
}

class Help : public testing::Test {
protected:
    void SetUp() override {
        EndHelpViewers();  // left behind by an earlier failed test
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }

    // An unanswered question blocks the program; end the viewer first.
    void TearDown() override { EndHelpViewers(); }

    std::optional<MessageBoxSeen> HelpQuestion() const {
        return FindMessageBox(kHelpFileName, {app_.ProcessId()});
    }

    // The viewer's question names the program's help file; answering it
    // lets the program go on. While the program waits for the viewer it
    // handles no key, and keys are handled in the order they were typed:
    // once a digit typed after the answer shows, a repeated help request
    // for the same press would have been made and would show its question.
    void ExpectExactlyOneHelpRequest() {
        std::optional<MessageBoxSeen> question;
        ASSERT_TRUE(WaitUntil([&] { return (question = HelpQuestion()).has_value(); }))
            << "the help viewer did not ask for " << Utf8(kHelpFileName);
        EXPECT_TRUE(
            ContainsNoCase(question->message, ProgramUnderTest::Folder() + L"\\" + kHelpFileName))
            << "the viewer was asked for another file:\n"
            << Utf8(question->message);

        ASSERT_TRUE(PressMessageBoxButton(question->window, IDNO));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->window); }));

        app_.Type(L"1");
        EXPECT_TRUE(app_.Shows(L"lblP(0)", L"1")) << "the program does not take keys after help";
        EXPECT_FALSE(HelpQuestion().has_value()) << "help was requested again";
        EXPECT_EQ(ProcessesNamed(kHelpViewer).size(), 1u);
    }

    ProgramUnderTest app_;
};

TEST_F(Help, F1OpensTheHelpFileOnce) {
    app_.Press({{VK_F1}});
    ExpectExactlyOneHelpRequest();
}

TEST_F(Help, HelpButtonOpensTheHelpFileOnce) {
    app_.Click(L"imaCommand(4)");
    ExpectExactlyOneHelpRequest();
}

}  // namespace
}  // namespace e2e
