// Messages that any program on the desktop can post to the program's
// windows, with values no system would send: a scale change without its
// rectangle or at a scale no screen has, a size beyond every screen, the
// notification icon's message with stray values, bursts of setting changes
// and whatever falls in the ranges left to programs. The program ignores what
// it cannot use and goes on converting, in the user's number format.
#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <utility>

#include "ProgramUnderTest.h"

namespace e2e {
namespace {

#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif
// The notification icon's callback message and identifier.
constexpr UINT kTrayCallback = WM_USER + 42;
constexpr WPARAM kTrayIconId = 61860;

// A rectangle written into the program's own memory, so that a message can
// carry an address that is readable there, as the system's pointers are;
// the memory goes with the program.
LPARAM RectInProgram(HANDLE program, const RECT& rect) {
    void* address =
        VirtualAllocEx(program, nullptr, sizeof(rect), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    EXPECT_TRUE(address && WriteProcessMemory(program, address, &rect, sizeof(rect), nullptr))
        << "cannot write into the program's memory";
    return reinterpret_cast<LPARAM>(address);
}

// Every hostile message, to `window`. The posted messages come before
// the keys the test presses next: a window's queue hands them out first.
void PostEverything(HWND window, HANDLE memory, std::mt19937& random) {
    const RECT placed = WindowRect(window);
    const RECT huge{placed.left, placed.top, placed.left + 65535, placed.top + 65535};
    for (const auto& [dpi, rect] :
         std::initializer_list<std::pair<WORD, LPARAM>>{{192, 0},
                                                        {144, 1},
                                                        {65535, RectInProgram(memory, placed)},
                                                        {0, RectInProgram(memory, placed)},
                                                        {96, RectInProgram(memory, huge)}}) {
        EXPECT_TRUE(PostMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), rect));
    }
    EXPECT_TRUE(PostMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(65535, 65535)));
    PostMessageW(window, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(0, 0));
    for (const auto& [wParam, lParam] :
         std::initializer_list<std::pair<WPARAM, LPARAM>>{{0, 0},
                                                          {kTrayIconId, 0xFFFF},
                                                          {~WPARAM{0}, WM_LBUTTONDBLCLK},
                                                          {kTrayIconId + 1, WM_LBUTTONDBLCLK},
                                                          {kTrayIconId, -1}}) {
        PostMessageW(window, kTrayCallback, wParam, lParam);
    }
    for (int i = 0; i < 50; ++i) {
        PostMessageW(window, WM_SETTINGCHANGE, i % 5, 0);
    }
    for (const auto& [first, last] : {std::pair{WM_USER, WM_APP - 1}, {WM_APP, 0xBFFFu}}) {
        std::uniform_int_distribution<UINT> message(first, last);
        for (int i = 0; i < 200; ++i) {
            PostMessageW(window, message(random), random(), random());
        }
    }
}

// Each window opened in turn, sent everything with the main window under it,
// and closed with Alt+F4.
TEST(HostileMessages, LeaveEveryWindowWorkingAndTheProgramConverting) {
    // A separator other than the tests' usual comma: the program reads the
    // user's own when it starts.
    const ScopedRegistryString point = UseDecimalSeparator(L".");
    ProgramUnderTest app;
    ASSERT_NE(app.WaitForMainWindow(), nullptr) << "the program did not start";
    const UniqueHandle memory(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, app.ProcessId()));
    std::mt19937 random(20020217);
    PostEverything(app.MainWindow(), memory.Get(), random);
    for (const WindowKind kind :
         {WindowKind::kEuroZone, WindowKind::kOptions, WindowKind::kAbout}) {
        if (kind == WindowKind::kAbout) {
            app.Click(L"imaCommand(3)");
        } else {
            app.Press({WithAlt(kind == WindowKind::kEuroZone ? 'Z' : 'O')});
        }
        const ProgramWindow opened = app.WaitForWindow(kind);
        ASSERT_TRUE(opened) << "no window opened";
        PostEverything(opened.Handle(), memory.Get(), random);
        PostEverything(app.MainWindow(), memory.Get(), random);
        opened.Press({WithAlt(VK_F4)});
        EXPECT_TRUE(WaitUntil([&] { return !opened.IsShown(); })) << "the window no longer closes";
    }
    app.Type(L"100");
    app.Press({{VK_RETURN}});
    EXPECT_TRUE(app.Shows(L"lblP(2)", L"15.24"));
    EXPECT_TRUE(IsWindowVisible(app.MainWindow()));
}

}  // namespace
}  // namespace e2e
