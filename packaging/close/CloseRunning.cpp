// The installer's step that ends a running Convalis before its files are
// replaced or removed (upgrade, uninstall): a Convalis started from the
// installed program file is asked to end as at the end of a session on the
// restart manager's request, and the step waits until it has. When one
// still runs, the step fails, and with it the installer, rather than leave
// a running program whose file cannot go.
#include <windows.h>
// After windows.h, which they need.
#include <msi.h>
#include <msiquery.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr wchar_t kMainWindowClass[] = L"ConvalisForm";
constexpr UINT kAnswerMilliseconds = 10000;
constexpr DWORD kEndMilliseconds = 20000;

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueProcess = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct RunningProgram {
    HWND window;
    DWORD processId;
};

// The main window (the one without owner) of every running Convalis.
std::vector<RunningProgram> MainWindows() {
    std::vector<RunningProgram> found;
    ::EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (lstrcmpW(name, kMainWindowClass) == 0 && ::GetWindow(window, GW_OWNER) == nullptr) {
                DWORD processId = 0;
                ::GetWindowThreadProcessId(window, &processId);
                reinterpret_cast<std::vector<RunningProgram>*>(list)->push_back(
                    {window, processId});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring ProgramFileOf(HANDLE process) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (!::QueryFullProcessImageNameW(process, 0, path, &length)) {
        return {};
    }
    return std::wstring(path, length);
}

std::wstring Property(MSIHANDLE install, const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (::MsiGetPropertyW(install, name, value, &length) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

// Asks the window to end, and waits for its process; false when it still
// runs.
bool EndAndWait(HWND window, HANDLE process) {
    DWORD_PTR agreed = FALSE;
    if (::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                              kAnswerMilliseconds, &agreed) &&
        agreed) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG,
                              kAnswerMilliseconds, &ignored);
    }
    return ::WaitForSingleObject(process, kEndMilliseconds) == WAIT_OBJECT_0;
}

// Tells the user, when the installer has a user interface.
void ReportStillRunning(MSIHANDLE install) {
    PMSIHANDLE record = ::MsiCreateRecord(0);
    ::MsiRecordSetStringW(record, 0,
                          L"Convalis ne s'est pas fermé. Fermez-le (Alt+F4), puis recommencez.");
    ::MsiProcessMessage(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK), record);
}

}  // namespace

extern "C" __declspec(dllexport) UINT __stdcall CloseRunningConvalis(MSIHANDLE install) {
    const std::wstring program = Property(install, L"INSTALLDIR") + L"Convalis.exe";
    bool allEnded = true;
    for (const RunningProgram& running : MainWindows()) {
        const UniqueProcess process(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION,
                                                  FALSE, running.processId));
        if (!process) {
            continue;  // ended meanwhile
        }
        if (lstrcmpiW(ProgramFileOf(process.get()).c_str(), program.c_str()) == 0) {
            allEnded = EndAndWait(running.window, process.get()) && allEnded;
        }
    }
    if (!allEnded) {
        ReportStillRunning(install);
        return ERROR_INSTALL_FAILURE;
    }
    return ERROR_SUCCESS;
}
