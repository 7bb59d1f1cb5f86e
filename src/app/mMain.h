// The start-up module: single instance, help file, normal or hidden start.
#pragma once

namespace platform {
class Platform;
}

namespace app {

class Program;

// The name of the help file, in the program's folder.
inline constexpr const char* kHelpFileName = "Convalis.hlp";
// The argument text that starts the program with its main window hidden.
inline constexpr const char* kHiddenArgument = "/Hidden";

// The start-up procedure: returns at once when another instance runs;
// otherwise names the help file and loads the main window, shown or hidden.
void Main(Program& program);

// Runs the whole program on a platform: start-up, then the event loop until
// the main window is unloaded.
void RunProgram(platform::Platform& platform);

}  // namespace app
