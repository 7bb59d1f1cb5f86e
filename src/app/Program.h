// The running program: the platform it runs on and the single instance of
// each of its windows.
#pragma once

#include "app/frmConvalis.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "zone/frmZoneEuro.h"

namespace platform {
class Platform;
}

namespace app {

class Program {
public:
    explicit Program(platform::Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Platform& Platform() { return platform_; }
    frmConvalis& MainWindow() { return main_; }
    zone::frmZoneEuro& ZoneEuro() { return zoneEuro_; }
    dialogs::frmOptions& Options() { return options_; }
    dialogs::frmAbout& About() { return about_; }

    // Opens the application's help file with the platform's help viewer.
    void ShowHelp(platform::WindowHandle owner);

private:
    platform::Platform& platform_;
    frmConvalis main_;
    zone::frmZoneEuro zoneEuro_;
    dialogs::frmOptions options_;
    dialogs::frmAbout about_;
};

}  // namespace app
