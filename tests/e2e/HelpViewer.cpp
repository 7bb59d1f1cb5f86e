#include "HelpViewer.h"

#include <tlhelp32.h>

#include <algorithm>
#include <vector>

namespace e2e {

namespace {

std::vector<DWORD> HelpViewerProcesses() {
    std::vector<DWORD> found;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"winhlp32.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

}  // namespace

HWND FindHelpViewer(bool dialog) {
    const std::vector<DWORD> viewers = HelpViewerProcesses();
    for (HWND window : TopLevelWindows()) {
        if (std::find(viewers.begin(), viewers.end(), WindowProcess(window)) != viewers.end() &&
            IsWindowVisible(window) && (WindowClass(window) == L"#32770") == dialog &&
            (dialog || GetWindow(window, GW_OWNER) == nullptr)) {
            return window;
        }
    }
    return nullptr;
}

size_t HelpViewerCount() {
    return HelpViewerProcesses().size();
}

HWND WaitForTitlePage(std::string* failure) {
    HWND viewer = nullptr;
    std::wstring text;
    const bool shown = WaitUntil([&] {
        viewer = FindHelpViewer();
        text = viewer != nullptr ? WindowText(viewer, true) : L"";
        return text.find(kHelpTitle) != std::wstring::npos &&
               text.find(kFirstChapter) != std::wstring::npos;
    });
    if (shown) {
        return viewer;
    }
    if (HWND message = FindHelpViewer(true)) {
        *failure = "the help viewer says: " + Utf8(WindowText(message, true));
    } else {
        *failure =
            viewer == nullptr ? "no help viewer window" : "the help viewer shows: " + Utf8(text);
    }
    return nullptr;
}

void EndHelpViewers() {
    for (DWORD viewer : HelpViewerProcesses()) {
        UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, viewer));
        if (process) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), static_cast<DWORD>(kPatience.count()));
        }
    }
}

}  // namespace e2e
