// Opening documents and addresses through the shell, with French texts for
// its failures when asked for.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace shell {

// The text shown for a failure result of the shell (32 or less).
const char* ShellErrorText(std::intptr_t result);

// Hands `file` to the shell with the verb `operation`. With `showErrors` a
// failure (a result of 32 or less) is explained in a message box titled
// "Convalis". Returns the shell's result.
std::intptr_t ShellLaunch(platform::Platform& platform, const std::string& file,
                          const std::string& operation, const std::string& parameters,
                          const std::string& directory, int showCommand,
                          platform::WindowHandle window, bool showErrors);

}  // namespace shell
