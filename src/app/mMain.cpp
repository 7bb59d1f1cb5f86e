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
    frmConvalis& main = program.MainWindow();
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

std::string TrimAtNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::string CommaToPoint(const std::string& text) {
    std::string result = text;
    std::size_t comma = result.find(',');
    if (comma != std::string::npos)
        result[comma] = '.';
    return result;
}

}  // namespace app
