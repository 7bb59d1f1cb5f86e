// Starting with Windows: a shortcut "Convalis.lnk" in the user's Startup
// folder that starts the program hidden. Its presence is the setting.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace shell {

// The shell's number of the current user's Startup folder.
inline constexpr int kStartupFolder = 7;  // CSIDL_STARTUP
inline constexpr const char* kShortcutName = "Convalis.lnk";
inline constexpr const char* kProgramFile = "Convalis.exe";
inline constexpr const char* kShortcutArguments = "/Hidden";
// Minimised, not activated.
inline constexpr int kShortcutShow = 7;  // SW_SHOWMINNOACTIVE

// The file-system path of a shell special folder, without a trailing
// separator, or empty text when it cannot be had.
std::string SpecialFolderPath(platform::Shell& shell, platform::WindowHandle owner, int folder);

// Whether a readable "Convalis.lnk" lies in the Startup folder: 1 or 0, the
// value of the options' check box.
int StartupShortcutPresent(platform::Platform& platform, platform::WindowHandle owner);

// Writes the shortcut (checked = 1) or deletes it (0). Without a Startup
// folder nothing is written or deleted; failures are silent. Returns whether
// it deleted, or tried to delete, the shortcut.
bool WriteOrDeleteStartupShortcut(platform::Platform& platform, platform::WindowHandle owner,
                                  int checked);

}  // namespace shell
