// convalis-soak: random events over the whole program on the offscreen
// platform, the invariants a user relies on checked after every one.
//
// usage: convalis-soak [--events N] [--seed S]
//
// The events are the amount-entry fuzzer's (RandomUser.h), over the whole
// program and from a seeded generator. Each run starts the program as a
// log-on would (now and then hidden, on either side of the change-over
// date, with a comma or a point as decimal separator) and lasts until the
// program closes; the next run starts it again over the same Startup
// folder, until N events have been sent.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>

#include "AmountChecks.h"
#include "RandomUser.h"
#include "app/Program.h"
#include "app/mMain.h"
#include "shell/StartupShortcut.h"

namespace {

using testing_support::OptionsOutcome;

class Soak {
public:
    Soak(long events, unsigned seed) : random_(seed), total_(events) {}

    // False when an invariant broke.
    bool Run() {
        while (sent_ < total_ && !failure_) {
            StartProgram();
            platform_->Post([this] { Step(); });
            platform_->RunPending();
            EndProgram();
        }
        return !failure_;
    }

    void Report(double seconds) const {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf(
            "soak: %ld events in %.1f s, %.0f events/s; %ld starts, %ld windows opened; "
            "peak memory %ld MB\n",
            sent_, seconds, static_cast<double>(sent_) / seconds, runs_, opened_,
            usage.ru_maxrss / 1024);
        if (failure_)
            std::printf("FAILED %s\n", failure_->c_str());
    }

private:
    void StartProgram() {
        checks_.reset();
        program_.reset();
        platform_.reset();
        offscreen::ProgramFacts facts;
        facts.files = files_;
        facts.commandLine = random_() % 10 == 0 ? "/Hidden" : "";
        platform_ = std::make_unique<offscreen::OffscreenPlatform>(facts);
        changeRow_ = random_() % 2 == 0;
        platform_->SetNow({2002, 2, changeRow_ ? 18 : 19, 9, 0, 0});
        separator_ = random_() % 5 == 0 ? "." : ",";
        platform_->SetDecimalSeparator(separator_);
        program_ = std::make_unique<app::Program>(*platform_);
        app::Main(*program_);
        checks_.emplace(*program_, true);
        ++runs_;
        iconRefused_ = false;
        loaded_ = {"frmConvalis"};
        optionsWereOpen_ = false;
        mainOnlyDeviceContexts_ = platform_->Gdi().DeviceContexts();
    }

    // The program ended, or the events ran out: what is still open closes as
    // at log-off, and no icon may stay behind.
    void EndProgram() {
        if (program_->MainWindow().Loaded()) {
            program_->MainWindow().Unload();
            platform_->RunPending();
        }
        if (!failure_ && !platform_->Shell().Icons().empty())
            failure_ = "an icon stays in the notification area after the program ended";
        files_ = platform_->Shell().Files();
    }

    // Runs as an event of its own: checks what the last event left, then sends
    // the next one and queues itself after it, inside whatever loop runs.
    void Step() {
        const std::string problem = Problem();
        if (!problem.empty())
            failure_ = "after event " + std::to_string(sent_) + " (" + lastEvent_ + "): " + problem;
        if (failure_ || !program_->MainWindow().Loaded() || sent_ >= total_)
            return;
        const offscreen::OffscreenWindow* active = platform_->ActiveWindow();
        testing_support::UserEvent event = user_.Next(active);
        // What the event will change of what the user expects.
        iconRefused_ = event.shellRestart ? event.refuses : iconRefused_;
        if (active != nullptr && active->Name() == "frmOptions" &&
            event.options == OptionsOutcome::kConfirm) {
            shortcut_ = program_->Options().StartWithWindows() == 1;
            changeRow_ = program_->Options().ShowChange() != 0;
        }
        checks_->Before(active);
        lastEvent_ = event.description;
        lastKey_ = event.keyCode;
        ++sent_;
        event.post(*platform_);
        platform_->Post([this] { Step(); });
    }

    std::string Problem() {
        if (!platform_->HandlerErrors().empty())
            return "a handler raised \"" + platform_->HandlerErrors().front() + "\"";
        offscreen::UserFiles& files = platform_->Shell().Files();
        if ((files.shortcuts.count(*files.startupFolder + "\\" + shell::kShortcutName) != 0) !=
            shortcut_) {
            return shortcut_ ? "the Startup shortcut is missing"
                             : "a Startup shortcut nobody asked for";
        }
        const converter::frmConvalis& main = program_->MainWindow();
        if (!main.Loaded())
            return platform_->Shell().Icons().empty() ? "" : "the icon outlives the main window";
        std::string problem = checks_->After(lastKey_, separator_);
        if (problem.empty() &&
            (main.ChangeRowShown() != changeRow_ ||
             main.Display(converter::frmConvalis::kPaidFrancs).Visible() != changeRow_)) {
            problem = changeRow_ ? "the change row is hidden" : "the change row is shown";
        }
        for (auto check : {&Soak::WindowProblem, &Soak::IconProblem, &Soak::OptionsProblem}) {
            if (problem.empty())
                problem = (this->*check)();
        }
        return problem;
    }

    // One of each window at most; the one opened last takes input and the
    // others wait disabled; closed windows are freed.
    std::string WindowProblem() {
        std::set<std::string> names;
        for (const offscreen::OffscreenWindow* window : platform_->LoadedWindows()) {
            if (!names.insert(window->Name()).second)
                return "two windows " + window->Name();
            opened_ += loaded_.count(window->Name()) == 0;
        }
        loaded_ = names;
        const char* top = program_->About().Loaded()      ? "frmAbout"
                          : program_->ZoneEuro().Loaded() ? "frmZoneEuro"
                          : program_->Options().Loaded()  ? "frmOptions"
                                                          : "frmConvalis";
        for (const offscreen::OffscreenWindow* window : platform_->LoadedWindows()) {
            if (window->Enabled() != (window->Name() == top)) {
                return window->Name() + (window->Enabled()
                                             ? " takes input under " + std::string(top)
                                             : " is left disabled");
            }
        }
        if (names.size() == 1 && platform_->Gdi().DeviceContexts() != mainOnlyDeviceContexts_)
            return "closed windows are kept: " + std::to_string(platform_->Gdi().DeviceContexts()) +
                   " device contexts";
        return {};
    }

    // Exactly one icon while the main window lives, unless the shell refused it;
    // a hidden window always has its icon to come back by.
    std::string IconProblem() {
        const converter::frmConvalis& main = program_->MainWindow();
        const std::size_t icons = platform_->Shell().Icons().size();
        if (icons != (iconRefused_ ? 0 : 1))
            return std::to_string(icons) + " icons in the notification area";
        if (main.HasTrayIcon() == iconRefused_)
            return "the main window is wrong about its icon";
        if (!main.Window().Visible() && !main.HasTrayIcon())
            return "the main window is hidden without an icon";
        return {};
    }

    // A freshly opened options dialog shows what the user last confirmed.
    std::string OptionsProblem() {
        const dialogs::frmOptions& options = program_->Options();
        const bool fresh = options.Loaded() && !optionsWereOpen_;
        optionsWereOpen_ = options.Loaded();
        if (fresh && options.StartWithWindows() != (shortcut_ ? 1 : 0))
            return "the options show the start with Windows otherwise";
        if (fresh && options.ShowChange() != (changeRow_ ? 1 : 0))
            return "the options show the change row otherwise";
        return {};
    }

    // The Startup folder, kept from one run of the program to the next.

    // The Startup folder, kept from one run of the program to the next.
    offscreen::UserFiles files_;
    std::mt19937 random_;
    testing_support::RandomUser user_{testing_support::RandomUser::Reach::kWholeProgram,
                                      [this] { return static_cast<std::uint8_t>(random_()); }};

    std::unique_ptr<offscreen::OffscreenPlatform> platform_;
    std::unique_ptr<app::Program> program_;
    std::optional<testing_support::ConverterChecks> checks_;
    std::string separator_;
    long total_;
    long sent_ = 0;
    std::string lastEvent_ = "the start";
    int lastKey_ = 0;
    // What the user has set, and so expects to see.
    bool changeRow_ = false, shortcut_ = false, iconRefused_ = false;
    std::set<std::string> loaded_;
    bool optionsWereOpen_ = false;
    std::size_t mainOnlyDeviceContexts_ = 0;
    long runs_ = 0, opened_ = 0;
    std::optional<std::string> failure_;
};

}  // namespace

int main(int argc, char** argv) {
    long events = 1'000'000, seed = 1;
    for (int i = 1; i < argc; i += 2) {
        const std::string flag = argv[i];
        char* end = nullptr;
        const long value = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
        if (value < 0 || *end != '\0' || (flag != "--events" && flag != "--seed")) {
            std::fprintf(stderr, "usage: convalis-soak [--events N] [--seed S]\n");
            return 2;
        }
        (flag == "--events" ? events : seed) = value;
    }
    Soak soak(events, static_cast<unsigned>(seed));
    const auto start = std::chrono::steady_clock::now();
    const bool passed = soak.Run();
    soak.Report(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return passed ? 0 : 1;
}
