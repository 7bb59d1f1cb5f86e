#include "app/mMain.h"

#include "app/Program.h"
#include "platform/Platform.h"

namespace app {

void Main(Program& program) {
    platform::Application& app = program.Platform().App();
    if (app.PrevInstance())
        return;
    std::string folder = app.Path();
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    app.SetHelpFile(folder + kHelpFileName);
    converter::frmConvalis& main = program.MainWindow();
    if (app.CommandLine() == kHiddenArgument) {
        main.Load();
        // A hidden window needs its notification-area icon to come back.
        main.KeepReachable();
    } else {
        main.Show();
    }
}

void RunProgram(platform::Platform& platform) {
    Program program(platform);
    Main(program);
    platform.Run();
}

}  // namespace app
