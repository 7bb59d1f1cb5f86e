#include "app/Program.h"

#include "app/ApplyOptions.h"

namespace app {

Program::Program(platform::Platform& platform)
    : platform_(platform),
      main_(platform, *this),
      zoneEuro_(platform, *this),
      options_(platform,
               [this] { return main_.Display(converter::frmConvalis::kPaidFrancs).Visible(); }),
      about_(platform) {}

// Opens the application's help file with the platform's help viewer.
void Program::ShowHelp(platform::WindowHandle owner) {
    platform_.HelpViewer().ShowContents(owner, platform_.App().HelpFile());
}

void Program::ShowOptions() {
    ApplyOptions(platform_, options_, main_);
}

}  // namespace app
