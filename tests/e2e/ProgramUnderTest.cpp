#include "ProgramUnderTest.h"

#include <algorithm>

namespace e2e {

constexpr std::chrono::milliseconds kPoliteCloseLimit{10000};

ProgramUnderTest::ProgramUnderTest(const std::wstring& arguments) {
    const std::wstring commandLine =
        L"\"" + Executable() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    // A pointer resting on a button would open its tooltip over the window.
    SetCursorPos(0, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring line = commandLine;
    // On a loaded machine Wine now and then loses a new process before it
    // has run any of the program's code (about once in a thousand starts);
    // a fault of the program would fail the second start too.
    for (int attempt = 0; !CreateProcessW(Executable().c_str(), line.data(), nullptr, nullptr,
                                          FALSE, 0, nullptr, nullptr, &startup, &started);
         ++attempt) {
        const DWORD error = GetLastError();
        if (attempt == 1 || error != ERROR_INTERNAL_ERROR) {
            ADD_FAILURE() << "cannot start " << Utf8(commandLine) << " (error " << error << ")";
            return;
        }
        line = commandLine;
    }
    UniqueHandle thread(started.hThread);
    process_.Reset(started.hProcess);
    processId_ = started.dwProcessId;
}

ProgramUnderTest::~ProgramUnderTest() {
    Close();
}

bool ProgramUnderTest::WaitForExit(std::chrono::milliseconds limit) const {
    return process_ &&
           WaitForSingleObject(process_.Get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> ProgramUnderTest::ExitCode() const {
    DWORD code = 0;
    if (!process_ || !GetExitCodeProcess(process_.Get(), &code) || code == STILL_ACTIVE) {
        return std::nullopt;
    }
    return code;
}

std::vector<HWND> ProgramUnderTest::TitledWindows() const {
    std::vector<HWND> titled;
    for (HWND window : TopLevelWindows()) {
        wchar_t title[16] = {};
        GetWindowTextW(window, title, static_cast<int>(std::size(title)));
        if (WindowProcess(window) == processId_ && std::wstring(title) == L"Convalis") {
            titled.push_back(window);
        }
    }
    return titled;
}

HWND ProgramUnderTest::FindMainWindow() const {
    for (HWND window : TitledWindows()) {
        if (GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

HWND ProgramUnderTest::WaitForMainWindow(Start start) {
    WaitUntil([this] { return !process_ || FindMainWindow() != nullptr || WaitForExit({}); });
    main_ = FindMainWindow();
    if (main_ == nullptr) {
        return nullptr;
    }
    WaitForInputIdle(process_.Get(), static_cast<DWORD>(kPatience.count()));
    AwaitMessageRoundTrip(main_);
    const bool visible =
        start == Start::kHidden || WaitUntil([this] { return IsWindowVisible(main_) != FALSE; });
    return visible ? main_ : nullptr;
}

std::vector<HWND> ProgramUnderTest::OtherShownWindows() const {
    std::vector<HWND> shown = TitledWindows();
    shown.erase(
        std::remove_if(shown.begin(), shown.end(),
                       [this](HWND window) { return window == main_ || !IsWindowVisible(window); }),
        shown.end());
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
        TerminateProcess(process_.Get(), 1);
        WaitForExit();
    }
}

ProgramCopy::ProgramCopy(std::wstring into)
    : folder(std::move(into)),
      copy(folder + original.substr(original.find_last_of(L"\\/"))),
      copied(CreateDirectoryW(folder.c_str(), nullptr) &&
             CopyFileW(original.c_str(), copy.c_str(), FALSE)) {
    ProgramUnderTest::SetExecutable(copy);
}

ProgramCopy::~ProgramCopy() {
    ProgramUnderTest::SetExecutable(original);
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace e2e
