#include "ShellLaunches.h"

#include "platform/win32/Text.h"

namespace e2e {

namespace {

constexpr wchar_t kLogVariable[] = L"CONVALIS_E2E_LAUNCHES";

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring file(path, length);
    return file.substr(0, file.find_last_of(L'\\'));
}

std::wstring NewLogFile() {
    wchar_t folder[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"cvl", 0, file);  // creates it empty
    return file;
}

// The whole file; the recorder may be writing to it meanwhile.
std::string Contents(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string contents;
    if (file.get() == INVALID_HANDLE_VALUE) {
        return contents;
    }
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        contents.append(buffer, read);
    }
    return contents;
}

}  // namespace

LaunchRecorder::LaunchRecorder() : log_(NewLogFile()) {
    SetEnvironmentVariableW(kLogVariable, log_.c_str());
    // Wine's shell reads the machine's classes; the user's are ignored.
    const std::wstring command = L"\"" + FolderOfThisProgram() + L"\\record-launch.exe\" \"%1\"";
    for (const wchar_t* scheme : {L"http", L"mailto"}) {
        const std::wstring key =
            std::wstring(L"Software\\Classes\\") + scheme + L"\\shell\\open\\command";
        handlers_.push_back(
            std::make_unique<ScopedRegistryString>(HKEY_LOCAL_MACHINE, key, L"", command));
    }
}

LaunchRecorder::~LaunchRecorder() {
    handlers_.clear();
    SetEnvironmentVariableW(kLogVariable, nullptr);
    DeleteFileW(log_.c_str());
}

std::vector<std::wstring> LaunchRecorder::Launches() const {
    const std::string contents = Contents(log_);
    std::vector<std::wstring> launches;
    // Whole lines only: a launch may be writing the last one.
    for (size_t start = 0, end; (end = contents.find('\n', start)) != std::string::npos;
         start = end + 1) {
        launches.push_back(win32::Widen(contents.substr(start, end - start)));
    }
    return launches;
}

}  // namespace e2e
