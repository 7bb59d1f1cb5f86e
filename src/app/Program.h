// The running program: the platform it runs on and the single instance of
// each of its windows, which it wires together: it is what the windows ask
// to open another window or the help.
#pragma once

#include "windows/converter/frmConvalis.h"
#include "windows/dialogs/frmAbout.h"
#include "windows/dialogs/frmOptions.h"
#include "windows/zone/frmZoneEuro.h"

namespace app {

class Program final : private converter::MainWindowHost {
public:
    explicit Program(platform::Platform& platform);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Platform& Platform() { return platform_; }
    converter::frmConvalis& MainWindow() { return main_; }
    zone::frmZoneEuro& ZoneEuro() { return zoneEuro_; }
    dialogs::frmOptions& Options() { return options_; }
    dialogs::frmAbout& About() { return about_; }

private:
    // MainWindowHost
    void ShowAbout(platform::Window& owner) override { about_.ShowModal(owner); }
    void ShowHelp(platform::WindowHandle owner) override;
    void ShowZoneEuro(platform::Window& owner) override { zoneEuro_.ShowModal(owner); }
    void ShowOptions() override;

    platform::Platform& platform_;
    converter::frmConvalis main_;
    zone::frmZoneEuro zoneEuro_;
    dialogs::frmOptions options_;
    dialogs::frmAbout about_;
};

}  // namespace app
