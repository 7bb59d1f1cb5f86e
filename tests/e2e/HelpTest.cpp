// Help: F1 hands Convalis.hlp in the program's folder to the help viewer,
// once for each press (the help buttons take the same way, which the unit
// tests follow). The build puts the help beside the program, so the viewer
// shows its title page; a copy of the program without the help shows that
// the program only names the file, and the viewer's question shows each
// request.
#include <gtest/gtest.h>

#include "HelpViewer.h"
#include "ProgramUnderTest.h"

namespace e2e {
namespace {

constexpr wchar_t kHelpFileName[] = L"Convalis.hlp";

class Help : public testing::Test {
protected:
    void SetUp() override {
        EndHelpViewers();  // left behind by an earlier failed test
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }

    void TearDown() override { EndHelpViewers(); }

    // The viewer shows the help's title page; once it is closed, the window
    // that asked for help is in front again and takes keys: a digit then
    // shows in the window's active `display`. Which window the system
    // activates when another program's window closes is the system's
    // choice: Wine at times activates its own taskbar instead, and a user
    // would then click the window, as the test does.
    void ExpectTheTitlePageThenTheKeysBackIn(const ProgramWindow& window, const wchar_t* display) {
        std::string failure;
        const HWND viewer = WaitForTitlePage(&failure);
        ASSERT_NE(viewer, nullptr) << failure;
        EXPECT_FALSE(HelpViewerMessage().has_value()) << "the viewer asks a question";
        // The buttons that the help adds to the viewer's toolbar are French.
        const std::wstring shown = HelpViewerText(viewer);
        EXPECT_NE(shown.find(L"\u00C0 pr&opos"), std::wstring::npos) << Utf8(shown);
        EXPECT_EQ(shown.find(L"&About"), std::wstring::npos) << Utf8(shown);

        PostMessageW(viewer, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([viewer] { return !IsWindow(viewer); }));
        ASSERT_TRUE(WaitUntil([&] {
            const HWND front = GetForegroundWindow();
            return front == window.Handle() || WindowClass(front) == L"Shell_TrayWnd";
        })) << "neither the window that asked for help nor the taskbar is in front";
        if (GetForegroundWindow() != window.Handle()) {
            ASSERT_TRUE(BringToForeground(window.Handle()))
                << "the window that asked for help cannot be brought to the front";
        }
        SendKeystrokes({{'1'}});
        EXPECT_TRUE(window.Shows(display, L"1")) << "the window takes no keys after help";
    }

    ProgramUnderTest app_;
};

TEST_F(Help, F1ShowsTheTitlePageOfTheHelp) {
    app_.Press({{VK_F1}});
    ExpectTheTitlePageThenTheKeysBackIn(app_.Main(), L"lblP(0)");
}

class HelpWithoutTheFile : public testing::Test {
protected:
    void SetUp() override {
        EndHelpViewers();
        ASSERT_TRUE(copy_.Copied()) << "cannot copy the program";
        ASSERT_NE(app_.WaitForShownMainWindow(), nullptr);
    }

    // An unanswered question blocks the program; end the viewer first.
    void TearDown() override { EndHelpViewers(); }

    // The viewer's question names the program's help file; answering it
    // lets the program go on. While the program waits for the viewer it
    // handles no key, and keys are handled in the order they were typed:
    // once a digit typed after the answer shows, a repeated help request
    // for the same press would have been made and would show its question.
    void ExpectExactlyOneHelpRequest() {
        std::optional<MessageBoxSeen> question;
        ASSERT_TRUE(WaitUntil([&] { return (question = HelpViewerMessage()).has_value(); }))
            << "the help viewer did not ask for " << Utf8(kHelpFileName);
        EXPECT_TRUE(
            ContainsNoCase(question->message, ProgramUnderTest::Folder() + L"\\" + kHelpFileName))
            << "the viewer was asked for another file:\n"
            << Utf8(question->message);

        ASSERT_TRUE(PressMessageBoxButton(question->window, IDNO));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question->window); }));

        app_.Type(L"1");
        EXPECT_TRUE(app_.Shows(L"lblP(0)", L"1")) << "the program does not take keys after help";
        EXPECT_FALSE(HelpViewerMessage().has_value()) << "help was requested again";
        EXPECT_EQ(ProcessesNamed(kHelpViewerProgram).size(), 1u);
    }

    // The program file copied alone into a folder of its own.
    ProgramCopy copy_{L"convalis-without-help", {}};
    ProgramUnderTest app_;
};

TEST_F(HelpWithoutTheFile, F1AsksForTheFileOnce) {
    app_.Press({{VK_F1}});
    ExpectExactlyOneHelpRequest();
}

}  // namespace
}  // namespace e2e
