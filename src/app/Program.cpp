#include "app/Program.h"

#include "platform/Platform.h"

namespace app {

Program::Program(platform::Platform& platform)
    : platform_(platform), main_(*this), zoneEuro_(*this), options_(*this), about_(platform) {}

void Program::ShowHelp(platform::WindowHandle owner) {
    platform_.HelpViewer().ShowContents(owner, platform_.App().HelpFile());
}

}  // namespace app
