// convalis-drive: runs the whole program on the offscreen platform and feeds
// it the events of a script read from standard input.
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>

#include "Dump.h"
#include "Script.h"
#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace {

struct Options {
    platform::LocalDateTime date;
    std::string decimal = ",";
    std::string args;
    std::string profile;
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

// The user's special folders when no --profile is given: a fresh folder with
// an empty Startup folder, removed at exit.
class TemporaryProfile {
public:
    explicit TemporaryProfile(bool wanted) {
        if (!wanted)
            return;
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("convalis-drive-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_ / "Startup");
    }
    ~TemporaryProfile() {
        std::error_code error;
        if (!path_.empty())
            std::filesystem::remove_all(path_, error);
    }
    TemporaryProfile(const TemporaryProfile&) = delete;
    TemporaryProfile& operator=(const TemporaryProfile&) = delete;
    std::string Path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

int Usage(const std::string& problem) {
    std::cerr << "convalis-drive: " << problem << "\n"
              << "usage: convalis-drive [--date YYYY-MM-DD] [--decimal SEP] [--args TEXT] "
                 "[--profile DIR] [--registered-user NAME] < script\n";
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
        } else if (flag == "--profile") {
            options.profile = value;
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
        for (unsigned message : tray->messages)
            platform.PostIconEvent(tray->id, message);
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

    TemporaryProfile temporary(options->profile.empty());
    offscreen::ProgramFacts facts;
    facts.commandLine = options->args;
    facts.profile = options->profile.empty() ? temporary.Path() : options->profile;
    offscreen::OffscreenPlatform platform(facts);
    platform.SetNow(options->date);
    platform.SetDecimalSeparator(options->decimal);
    if (options->registeredUser) {
        platform.Shell().SetRegistryString(platform::hkey::kUsers, dialogs::kUserInfoKey,
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
