#include "ProgramUnderTest.h"

#include <algorithm>
#include <cstdio>

namespace e2e {

namespace {

constexpr wchar_t kMainWindowTitle[] = L"Convalis";
constexpr std::chrono::milliseconds kPoliteCloseLimit{10000};

std::wstring TopLevelTitle(HWND window) {
    wchar_t title[256] = {};
    const int length = GetWindowTextW(window, title, static_cast<int>(std::size(title)));
    return std::wstring(title, static_cast<size_t>(std::max(length, 0)));
}

}  // namespace

std::wstring ProgramUnderTest::Folder() {
    const std::wstring& path = Executable();
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& arguments) {
    const std::wstring commandLine =
        L"\"" + Executable() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    // A pointer resting on a button would open its tooltip over the window.
    SetCursorPos(0, 0);
    PROCESS_INFORMATION started{};
    DWORD error = Launch(commandLine, &started);
    if (error == ERROR_INTERNAL_ERROR) {
        // On a loaded machine Wine now and then loses a new process before
        // it has run any of the program's code (about once in a thousand
        // starts); a fault of the program would fail the second start too.
        std::fprintf(stderr, "e2e: Wine could not start the program (error %lu); again\n", error);
        error = Launch(commandLine, &started);
    }
    if (error != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot start " << Utf8(commandLine) << " (error " << error << ")";
        return;
    }
    UniqueHandle thread(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
}

DWORD ProgramUnderTest::Launch(std::wstring commandLine, PROCESS_INFORMATION* started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(Executable().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, started)) {
        return GetLastError();
    }
    return ERROR_SUCCESS;
}

ProgramUnderTest::~ProgramUnderTest() {
    Close();
}

bool ProgramUnderTest::WaitForExit(std::chrono::milliseconds limit) const {
    return process_ &&
           WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ProgramUnderTest::ExitCode() const {
    DWORD code = 0;
    if (!process_ || !GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) {
        return std::nullopt;
    }
    return code;
}

HWND ProgramUnderTest::FindMainWindow() const {
    for (HWND window : TopLevelWindows()) {
        if (WindowProcess(window) == processId_ && GetWindow(window, GW_OWNER) == nullptr &&
            TopLevelTitle(window) == kMainWindowTitle) {
            return window;
        }
    }
    return nullptr;
}

HWND ProgramUnderTest::WaitForMainWindow() {
    if (!process_) {
        return nullptr;
    }
    WaitUntil([this] { return FindMainWindow() != nullptr || WaitForExit({}); });
    main_ = FindMainWindow();
    if (main_ != nullptr) {
        WaitForInputIdle(process_.get(), static_cast<DWORD>(kPatience.count()));
        AwaitMessageRoundTrip(main_);
    }
    return main_;
}

HWND ProgramUnderTest::WaitForShownMainWindow() {
    HWND window = WaitForMainWindow();
    const bool shown =
        window != nullptr && WaitUntil([window] { return IsWindowVisible(window) != FALSE; });
    return shown ? window : nullptr;
}

std::vector<HWND> ProgramUnderTest::OtherShownWindows() const {
    std::vector<HWND> shown;
    for (HWND window : TopLevelWindows()) {
        if (window != main_ && WindowProcess(window) == processId_ && IsWindowVisible(window) &&
            TopLevelTitle(window) == kMainWindowTitle) {
            shown.push_back(window);
        }
    }
    return shown;
}

ProgramWindow ProgramUnderTest::WaitForWindow(WindowKind kind) const {
    ProgramWindow found;
    WaitUntil([&] {
        for (HWND window : OtherShownWindows()) {
            if (ProgramWindow::IsOfKind(window, kind)) {
                found = ProgramWindow(window, kind);
                return true;
            }
        }
        return false;
    });
    return found;
}

void ProgramUnderTest::Close() {
    ForgetAccessibleObjects();
    if (!process_ || WaitForExit({})) {
        return;
    }
    // A window still open over the main window (a failed test) goes first,
    // as a user would close it.
    for (HWND opened : OtherShownWindows()) {
        PostMessageW(opened, WM_CLOSE, 0, 0);
    }
    WaitUntil([this] { return OtherShownWindows().empty(); }, kPoliteCloseLimit);
    HWND window = main_ != nullptr && IsWindow(main_) ? main_ : FindMainWindow();
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (window == nullptr || !WaitForExit(kPoliteCloseLimit)) {
        TerminateProcess(process_.get(), 1);
        WaitForExit();
    }
}

ProgramCopy::ProgramCopy(const std::wstring& folderName, const std::vector<std::wstring>& besideIt)
    : original_(ProgramUnderTest::Executable()) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + folderName;
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring originalFolder = ProgramUnderTest::Folder();
    files_ = besideIt;
    files_.push_back(original_.substr(originalFolder.size() + 1));
    for (const std::wstring& file : files_) {
        const std::wstring from = originalFolder + L"\\" + file;
        const std::wstring to = folder_ + L"\\" + file;
        copied_ = copied_ && CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
    }
    ProgramUnderTest::SetExecutable(folder_ + L"\\" + files_.back());
}

ProgramCopy::~ProgramCopy() {
    ProgramUnderTest::SetExecutable(original_);
    for (const std::wstring& file : files_) {
        DeleteFileW((folder_ + L"\\" + file).c_str());
    }
    RemoveDirectoryW(folder_.c_str());
}

}  // namespace e2e
