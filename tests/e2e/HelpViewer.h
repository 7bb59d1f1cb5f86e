// The help viewer that F1 opens on the program's help file (Wine's
// winhlp32), seen from outside as the user sees it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Desktop.h"

namespace e2e {

constexpr wchar_t kHelpViewerProgram[] = L"winhlp32.exe";
// The title of the help, at the head of its title page.
constexpr wchar_t kHelpTitle[] = L"Aide de Convalis";
// The first entry of the title page's contents, with its French heading.
constexpr wchar_t kFirstChapter[] = L"Chapitre 1 : Premiers pas";

// The shown main window of a running help viewer; null if none shows.
HWND FindHelpViewer();
// The texts that the viewer's window and its panes show, one a line.
std::wstring HelpViewerText(HWND viewer);
// A message box of a help viewer: its question for a missing help file,
// or its error for a damaged one.
std::optional<MessageBoxSeen> HelpViewerMessage();
// Waits until a help viewer shows the help's title page; the viewer's
// window, or null with the reason in `failure`.
HWND WaitForTitlePage(std::string* failure);
// Ends every running help viewer.
void EndHelpViewers();

}  // namespace e2e
