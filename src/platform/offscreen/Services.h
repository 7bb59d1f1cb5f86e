// The offscreen platform's plain services, from settable facts: the program's
// own facts, the screen's units, the clock and the number format.
#pragma once

#include <string>
#include <utility>

#include "platform/Platform.h"
#include "platform/ProductApplication.h"
#include "platform/offscreen/OffscreenShell.h"

namespace offscreen {

// Settable facts about the running program.
struct ProgramFacts {
    bool prevInstance = false;
    std::string path = "C:\\Program Files\\Convalis";
    std::string commandLine;
    // The Startup folder and the shortcut files.
    UserFiles files;
};

class Services : public platform::ProductApplication,
                 public platform::Screen,
                 public platform::Clock,
                 public platform::NumberFormat {
public:
    explicit Services(ProgramFacts facts) : facts_(std::move(facts)) {}

    const ProgramFacts& Facts() const { return facts_; }
    void SetNow(const platform::LocalDateTime& now) { now_ = now; }
    void SetDecimalSeparator(const std::string& separator) { decimalSeparator_ = separator; }
    // The scale new windows take.
    void SetSystemDpi(platform::Dpi dpi) { systemDpi_ = dpi; }

    // platform::Application
    bool PrevInstance() const override { return facts_.prevInstance; }
    std::string Path() const override { return facts_.path; }
    std::string CommandLine() const override { return facts_.commandLine; }
    const std::string& HelpFile() const override { return helpFile_; }
    void SetHelpFile(const std::string& helpFile) override { helpFile_ = helpFile; }
    // platform::Screen: 1024 x 768 pixels.
    platform::Dpi SystemDpi() const override { return systemDpi_; }
    int WidthTwips() const override { return systemDpi_.ToTwips(1024); }
    int HeightTwips() const override { return systemDpi_.ToTwips(768); }
    // platform::Clock
    platform::LocalDateTime Now() const override { return now_; }
    // platform::NumberFormat
    std::string DecimalSeparator() const override { return decimalSeparator_; }

private:
    ProgramFacts facts_;
    std::string helpFile_;
    std::string decimalSeparator_ = ",";
    platform::LocalDateTime now_{2002, 6, 1, 0, 0, 0};
    platform::Dpi systemDpi_;
};

}  // namespace offscreen
