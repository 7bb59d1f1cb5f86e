// record-launch: a stand-in for the browser and the mail program in the
// end-to-end tests. It appends its command line, as one UTF-8 line, to the
// file named by the environment variable CONVALIS_E2E_LAUNCHES, and ends.
// A program without a window or a console, so that a launch shows nothing.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t log[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"CONVALIS_E2E_LAUNCHES", log, MAX_PATH) == 0) {
        return 1;
    }
    const wchar_t* commandLine = GetCommandLineW();
    const int size = WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), size, nullptr, nullptr);
    line += "\n";
    // Appending writes go to the end of the file whatever the others do.
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    DWORD written = 0;
    const BOOL wrote =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return wrote ? 0 : 1;
}
