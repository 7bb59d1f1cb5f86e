// convalis-drive: runs the whole program on the offscreen platform and feeds
// it the events of a script read from standard input.
#include <cstring>
#include <ctime>
#include <iostream>
#include <optional>
#include <set>
#include <string>

#include "Dump.h"
#include "Script.h"
#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"
#include "shell/StartupShortcut.h"

namespace {

struct Options {
    platform::LocalDateTime date;
    std::string decimal = ",";
    std::string args;
    std::string startup = "empty";
    std::optional<std::string> registeredUser;
};

platform::LocalDateTime Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0};
}

std::optional<platform::LocalDateTime> ParseDate(const std::string& text) {
    int year = 0, month = 0, day = 0;
    char dash1 = 0, dash2 = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%4d%c%2d%c%2d%c", &year, &dash1, &month, &dash2, &day, &extra) !=
            5 ||
        dash1 != '-' || dash2 != '-' || month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    return platform::LocalDateTime{year, month, day, 0, 0, 0};
}

// The Startup folder as --startup gives it: "empty", with the program's
// shortcut ("shortcut"), with a "Convalis.lnk" the shell cannot read
// ("unreadable"), or no Startup folder at all ("none").
const std::set<std::string> kStartupStates{"empty", "shortcut", "unreadable", "none"};

void SetStartup(offscreen::OffscreenPlatform& platform, const std::string& state) {
    offscreen::UserFiles& files = platform.Shell().Files();
    const std::string shortcut = *files.startupFolder + "\\" + shell::kShortcutName;
    if (state == "shortcut")
        files.shortcuts[shortcut] = shell::StartupShortcut(platform.App());
    else if (state == "unreadable")
        files.shortcuts[shortcut] = std::nullopt;
    else if (state == "none")
        files.startupFolder.reset();
}

int Usage(const std::string& problem) {
    std::cerr << "convalis-drive: " << problem << "\n"
              << "usage: convalis-drive [--date YYYY-MM-DD] [--decimal SEP] [--args TEXT] "
                 "[--startup empty|shortcut|unreadable|none] [--registered-user NAME] "
                 "< script\n";
    return 2;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string* problem) {
    Options options;
    options.date = Today();
    for (int i = 1; i < argc; ++i) {
        std::string flag = argv[i];
        if (i + 1 >= argc) {
            *problem = "missing value after " + flag;
            return std::nullopt;
        }
        std::string value = argv[++i];
        if (flag == "--date") {
            auto date = ParseDate(value);
            if (!date) {
                *problem = "bad date: " + value;
                return std::nullopt;
            }
            options.date = *date;
        } else if (flag == "--decimal") {
            options.decimal = value;
        } else if (flag == "--args") {
            options.args = value;
        } else if (flag == "--startup" && kStartupStates.count(value) != 0) {
            options.startup = value;
        } else if (flag == "--registered-user") {
            options.registeredUser = value;
        } else {
            *problem = "unknown option: " + flag;
            return std::nullopt;
        }
    }
    return options;
}

void Post(offscreen::OffscreenPlatform& platform, app::Program& program,
          const drive::Event& event) {
    if (auto* key = std::get_if<drive::KeyEvent>(&event)) {
        platform.PostKey(key->keyCode, key->shift);
    } else if (auto* click = std::get_if<drive::ClickEvent>(&event)) {
        platform.PostClick(click->control, click->index);
    } else if (auto* tray = std::get_if<drive::TrayEvent>(&event)) {
        if (tray->action == drive::TrayAction::kDoubleClick)
            platform.PostIconDoubleClick();
        else
            platform.PostShellRestart(false);
    } else if (auto* tick = std::get_if<drive::TickEvent>(&event)) {
        platform.PostTick(tick->milliseconds);
    } else {
        platform.Post([&platform, &program] {
            std::cout << drive::DumpWindows(program, platform) << std::endl;
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string problem;
    std::optional<Options> options = ParseOptions(argc, argv, &problem);
    if (!options)
        return Usage(problem);

    drive::Script script = drive::ReadScript(std::cin);
    if (!script.errors.empty()) {
        for (const auto& error : script.errors) {
            std::cerr << "line " << error.line << ": " << error.message << "\n";
        }
        return 2;
    }

    offscreen::ProgramFacts facts;
    facts.commandLine = options->args;
    offscreen::OffscreenPlatform platform(facts);
    SetStartup(platform, options->startup);
    platform.SetNow(options->date);
    platform.SetDecimalSeparator(options->decimal);
    if (options->registeredUser) {
        platform.Shell().SetRegistryString(platform::RegistryRoot::kUsers, dialogs::kUserInfoKey,
                                           dialogs::kUserNameValue, *options->registeredUser);
    }

    app::Program program(platform);
    for (const drive::Event& event : script.events)
        Post(platform, program, event);
    app::Main(program);
    platform.RunPending();
    for (const std::string& error : platform.HandlerErrors()) {
        std::cerr << "run-time error: " << error << "\n";
    }
    program.MainWindow().Unload();
    platform.RunPending();
    return 0;
}
