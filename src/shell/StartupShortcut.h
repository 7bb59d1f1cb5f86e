// Starting with Windows: a shortcut "Convalis.lnk" in the user's Startup
// folder that starts the program hidden. Its presence is the setting.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace shell {

inline constexpr const char* kShortcutName = "Convalis.lnk";
inline constexpr const char* kProgramFile = "Convalis.exe";
inline constexpr const char* kShortcutArguments = "/Hidden";

// The Startup shortcut: the program in its folder, started hidden and
// minimised without activation, with the program's first icon.
platform::Shortcut StartupShortcut(platform::Application& app);

// Whether a readable "Convalis.lnk" lies in the Startup folder: 1 or 0, the
// value of the options' check box. `owner` is the window that asks.
int StartupShortcutPresent(platform::Platform& platform, platform::Window& owner);

// Writes the shortcut (checked = 1) or deletes it (0). Without a Startup
// folder nothing is written or deleted; failures are silent. Returns whether
// it deleted, or tried to delete, the shortcut.
bool WriteOrDeleteStartupShortcut(platform::Platform& platform, platform::Window& owner,
                                  int checked);

}  // namespace shell
