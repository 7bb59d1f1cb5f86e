// One run of the real Convalis.exe, started by a test and ended with it. The
// test sees the program only from outside: its process, its windows, the
// text and colour its controls publish, and the keys it is sent.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Desktop.h"

namespace e2e {

class ProgramUnderTest {
public:
    // The program file every instance starts; set once from the command line.
    static void SetExecutable(std::wstring path);
    static const std::wstring& Executable();
    // The folder that holds the program file, without a trailing backslash.
    static std::wstring Folder();

    // Starts the program with `arguments` as its command-line argument text.
    explicit ProgramUnderTest(const std::wstring& arguments = L"");
    // Closes the program if it still runs (WM_CLOSE, then termination).
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD ProcessId() const { return processId_; }
    bool WaitForExit(std::chrono::milliseconds limit = kPatience) const;
    // The exit code once the process has ended.
    std::optional<DWORD> ExitCode() const;

    // The process's top-level window titled "Convalis", shown or hidden.
    HWND FindMainWindow() const;
    // Waits until the main window exists and the program has come to wait
    // for messages after its start; null if that does not happen. Remembers
    // the window. (Under Wine a start-up that talks to another process, as
    // the notification icon does, already counts as idle: WaitForInputIdle
    // alone returns too early.)
    HWND WaitForMainWindow();
    HWND MainWindow() const { return main_; }

    // A control of the main window by its name, such as L"lblP(2)" or
    // L"nrvFocus": its control id is the global atom of that name.
    HWND Control(std::wstring_view name) const;
    std::wstring Text(std::wstring_view name) const;
    // The text colour a label publishes in its window property
    // "Convalis.ForeColor" (an RGB value); none without the property.
    std::optional<COLORREF> ForeColor(std::wstring_view name) const;

    // Waits until every named control shows its text.
    testing::AssertionResult Shows(
        const std::vector<std::pair<std::wstring, std::wstring>>& expected) const;
    testing::AssertionResult Shows(std::wstring_view name, std::wstring_view text) const;
    // Waits until the named control's text colour is `colour`.
    testing::AssertionResult HasTextColour(std::wstring_view name, COLORREF colour) const;
    // Waits until the screen shows the named control with some pixels in
    // `colour` and none in `otherColour`.
    testing::AssertionResult IsDrawnIn(std::wstring_view name, COLORREF colour,
                                       COLORREF otherColour) const;

    // Makes the main window the foreground window and sends it real keys.
    void Press(const std::vector<Keystroke>& keys) const;
    // Types digits and commas with the keys of the main keyboard.
    void Type(std::wstring_view amount) const;
    // Clicks the middle of a control of the main window with the mouse.
    void Click(std::wstring_view name) const;

    // Asks the program to close (WM_CLOSE) and terminates it if it does not
    // end; waits until the process is gone.
    void Close();

private:
    // Waits until the program answers a message sent to its main window,
    // that is until it next takes messages.
    bool AwaitMessageRoundTrip() const;

    UniqueHandle process_;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

std::string Describe(COLORREF colour);

}  // namespace e2e
