// The help viewer that F1 opens on the program's help file (Wine's
// winhlp32), seen from outside as the user sees it.
#pragma once

#include <windows.h>

#include <string>

#include "Desktop.h"

namespace e2e {

// The title of the help, at the head of its title page, and the first
// entry of the title page's contents, with its French heading.
constexpr wchar_t kHelpTitle[] = L"Aide de Convalis";
constexpr wchar_t kFirstChapter[] = L"Chapitre 1 : Premiers pas";

// The shown main window of a running help viewer, or with `dialog` its
// message box (its question for a missing help file); null if none shows.
HWND FindHelpViewer(bool dialog = false);
size_t HelpViewerCount();
// Waits until a help viewer shows the help's title page; the viewer's
// window, or null with the reason in `failure`.
HWND WaitForTitlePage(std::string* failure);
// Ends every running help viewer.
void EndHelpViewers();

}  // namespace e2e
