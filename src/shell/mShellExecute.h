// Opening documents and addresses through the shell, with French texts for
// its failures when asked for.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace shell {

// The text shown for a failure of the shell.
const char* ShellErrorText(platform::LaunchResult result);

// Hands `file` to the shell with the verb `operation`. With `showErrors` a
// failure is explained in a message box titled "Convalis". Returns what the
// shell made of it.
platform::LaunchResult ShellLaunch(platform::Platform& platform, const std::string& file,
                                   const std::string& operation, platform::ShowCommand show,
                                   bool showErrors);

}  // namespace shell
