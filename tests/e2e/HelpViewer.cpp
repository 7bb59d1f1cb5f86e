#include "HelpViewer.h"

#include <algorithm>
#include <vector>

namespace e2e {

namespace {

bool IsHelpViewerWindow(HWND window, const std::vector<DWORD>& viewers) {
    return std::find(viewers.begin(), viewers.end(), WindowProcess(window)) != viewers.end() &&
           IsWindowVisible(window) != FALSE;
}

bool IsDialog(HWND window) {
    return WindowClass(window) == L"#32770";
}

}  // namespace

HWND FindHelpViewer() {
    const std::vector<DWORD> viewers = ProcessesNamed(kHelpViewerProgram);
    for (HWND window : TopLevelWindows()) {
        if (IsHelpViewerWindow(window, viewers) && !IsDialog(window) &&
            GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
}

std::wstring HelpViewerText(HWND viewer) {
    return TextOfWindowAndChildren(viewer);
}

std::optional<MessageBoxSeen> HelpViewerMessage() {
    const std::vector<DWORD> viewers = ProcessesNamed(kHelpViewerProgram);
    for (HWND window : TopLevelWindows()) {
        if (IsHelpViewerWindow(window, viewers) && IsDialog(window)) {
            return MessageBoxSeen{window, WindowProcess(window), TextOfWindowAndChildren(window)};
        }
    }
    return std::nullopt;
}

HWND WaitForTitlePage(std::string* failure) {
    HWND viewer = nullptr;
    const bool shown = WaitUntil([&] {
        viewer = FindHelpViewer();
        const std::wstring text = viewer != nullptr ? HelpViewerText(viewer) : L"";
        return text.find(kHelpTitle) != std::wstring::npos &&
               text.find(kFirstChapter) != std::wstring::npos;
    });
    if (shown) {
        return viewer;
    }
    if (const std::optional<MessageBoxSeen> message = HelpViewerMessage()) {
        *failure = "the help viewer says: " + Utf8(message->message);
    } else if (viewer == nullptr) {
        *failure = "no help viewer window";
    } else {
        *failure = "the help viewer shows: " + Utf8(HelpViewerText(viewer));
    }
    return nullptr;
}

void EndHelpViewers() {
    for (DWORD viewer : ProcessesNamed(kHelpViewerProgram)) {
        TerminateProcessById(viewer);
    }
}

}  // namespace e2e
