// One run of the real Convalis.exe, started by a test and ended with it. The
// test sees the program only from outside: its process, its windows, the
// texts and pixels of its controls, and the keys it is sent.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Desktop.h"
#include "ProgramWindow.h"

namespace e2e {

class ProgramUnderTest {
public:
    // The program file every instance starts; set once from the command line.
    static void SetExecutable(std::wstring path) { executable_ = std::move(path); }
    static const std::wstring& Executable() { return executable_; }
    // Starts the program with `arguments` as its command-line argument text.
    explicit ProgramUnderTest(const std::wstring& arguments = L"");
    // Closes the program if it still runs (WM_CLOSE, then termination).
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    DWORD ProcessId() const { return processId_; }
    bool WaitForExit(std::chrono::milliseconds limit = kPatience) const;
    // The exit code once the process has ended.
    std::optional<DWORD> ExitCode() const;

    // The process's top-level window titled "Convalis" that no other window
    // owns, shown or hidden. (The windows it opens have the same title.)
    HWND FindMainWindow() const;
    // Waits until the main window exists and the program has come to wait
    // for messages after its start, and for kShown until the window is shown (the program loads it
    // hidden and shows it at the end of its load, which may come after it first takes messages);
    // null if that does not happen. Remembers the window. (Under Wine a start-up that talks to
    // another process, as the notification icon does, already counts as idle: WaitForInputIdle
    // alone returns too early.)
    enum class Start { kShown, kHidden };
    HWND WaitForMainWindow(Start start = Start::kShown);
    HWND MainWindow() const { return main_; }
    ProgramWindow Main() const { return ProgramWindow(main_, WindowKind::kMain); }

    // Waits until the program shows a top-level window of that kind, other
    // than its main window; an empty view if none appears.
    ProgramWindow WaitForWindow(WindowKind kind) const;
    // The program's shown windows (titled "Convalis" like the main window)
    // other than the main window.
    std::vector<HWND> OtherShownWindows() const;

    // The main window's, as ProgramWindow gives them.
    testing::AssertionResult Shows(std::wstring_view name, std::wstring_view text) const {
        return Main().Shows(name, text);
    }
    void Press(const std::vector<Keystroke>& keys) const { Main().Press(keys); }
    void Type(std::wstring_view amount) const { Main().Type(amount); }
    void Click(std::wstring_view name) const { Main().Click(name); }

    // Asks the program to close (WM_CLOSE) and terminates it if it does not
    // end; waits until the process is gone.
    void Close();

private:
    // The process's top-level windows titled "Convalis", shown or hidden.
    std::vector<HWND> TitledWindows() const;

    static inline std::wstring executable_;
    UniqueHandle process_;
    DWORD processId_ = 0;
    HWND main_ = nullptr;
};

// The program file copied into a new folder, removed with the folder
// afterwards; the tests start the copy instead of the original while this
// object lives.
struct ProgramCopy {
    explicit ProgramCopy(std::wstring into);
    ~ProgramCopy();
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    const std::wstring original = ProgramUnderTest::Executable();
    const std::wstring folder;
    const std::wstring copy;
    const bool copied;
};

}  // namespace e2e
