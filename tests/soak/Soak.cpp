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
#include <iostream>
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

struct Options {
    long events = 1'000'000;
    unsigned seed = 1;
};

// What the user has set, and so expects to see.
struct Expectations {
    bool changeRow = false;
    bool shortcut = false;
    bool iconRefused = false;
};

class Soak {
public:
    explicit Soak(const Options& options) : random_(options.seed), total_(options.events) {}

    // False when an invariant broke.
    bool Run();
    void Report(std::ostream& out, double seconds) const;

private:
    bool StartupShortcutThere();
    void StartProgram();
    void EndProgram();
    void Step();
    void Expect(const testing_support::UserEvent& event, const offscreen::OffscreenWindow* active);
    void Check();
    std::string Problem();
    std::string WindowProblem();
    std::string IconProblem();
    std::string OptionsProblem();

    // The Startup folder, kept from one run of the program to the next.
    offscreen::UserFiles files_;
    std::mt19937 random_;
    testing_support::RandomUser user_{testing_support::RandomUser::Reach::kWholeProgram,
                                      [this] { return static_cast<std::uint8_t>(random_()); }};
    testing_support::EscapeCheck escape_;
    std::unique_ptr<offscreen::OffscreenPlatform> platform_;
    std::unique_ptr<app::Program> program_;
    std::string separator_;
    long total_;
    long sent_ = 0;
    std::string lastEvent_ = "the start";
    int lastKey_ = 0;
    Expectations expected_;
    std::set<std::string> loaded_;
    bool optionsWereOpen_ = false;
    std::size_t mainOnlyDeviceContexts_ = 0;
    long runs_ = 0;
    long opened_ = 0;
    std::optional<std::string> failure_;
};

bool Soak::Run() {
    while (sent_ < total_ && !failure_) {
        StartProgram();
        platform_->Post([this] { Step(); });
        platform_->RunPending();
        EndProgram();
    }
    return !failure_;
}

void Soak::StartProgram() {
    program_.reset();
    platform_.reset();
    std::mt19937& random = random_;
    offscreen::ProgramFacts facts;
    facts.files = files_;
    facts.commandLine = random() % 10 == 0 ? "/Hidden" : "";
    platform_ = std::make_unique<offscreen::OffscreenPlatform>(facts);
    const bool beforeChangeover = random() % 2 == 0;
    platform_->SetNow(beforeChangeover ? platform::LocalDateTime{2002, 2, 18, 9, 0, 0}
                                       : platform::LocalDateTime{2002, 2, 19, 9, 0, 0});
    separator_ = random() % 5 == 0 ? "." : ",";
    platform_->SetDecimalSeparator(separator_);
    program_ = std::make_unique<app::Program>(*platform_);
    app::Main(*program_);
    ++runs_;
    expected_.changeRow = beforeChangeover;
    expected_.iconRefused = false;
    loaded_ = {"frmConvalis"};
    optionsWereOpen_ = false;
    mainOnlyDeviceContexts_ = platform_->Gdi().DeviceContexts();
}

// The program ended, or the events ran out: what is still open closes as
// at log-off, and no icon may stay behind.
void Soak::EndProgram() {
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
void Soak::Step() {
    Check();
    if (failure_ || !program_->MainWindow().Loaded() || sent_ >= total_)
        return;
    const offscreen::OffscreenWindow* active = platform_->ActiveWindow();
    testing_support::UserEvent event = user_.Next(active);
    Expect(event, active);
    const std::string window = active != nullptr ? active->Name() : "";
    if (window == "frmConvalis")
        escape_.Before(&program_->MainWindow(), converter::frmConvalis::kFields);
    else if (window == "frmZoneEuro")
        escape_.Before(&program_->ZoneEuro(), zone::frmZoneEuro::kFields);
    else
        escape_.Before(nullptr, 0);
    lastEvent_ = event.description;
    lastKey_ = event.keyCode;
    ++sent_;
    event.post(*platform_);
    platform_->Post([this] { Step(); });
}

// What the event will change of what the user expects.
void Soak::Expect(const testing_support::UserEvent& event,
                  const offscreen::OffscreenWindow* active) {
    if (event.shellRestart)
        expected_.iconRefused = event.refuses;
    if (active != nullptr && active->Name() == "frmOptions" &&
        event.options == testing_support::OptionsOutcome::kConfirm) {
        const dialogs::frmOptions& options = program_->Options();
        expected_.shortcut = options.StartWithWindows() == 1;
        expected_.changeRow = options.ShowChange() != 0;
    }
}

void Soak::Check() {
    if (failure_)
        return;
    std::string problem = Problem();
    if (!problem.empty()) {
        failure_ = "after event " + std::to_string(sent_) + " (" + lastEvent_ + "): " + problem;
    }
}

std::string Soak::Problem() {
    if (!platform_->HandlerErrors().empty())
        return "a handler raised \"" + platform_->HandlerErrors().front() + "\"";
    if (StartupShortcutThere() != expected_.shortcut)
        return expected_.shortcut ? "the Startup shortcut is missing"
                                  : "a Startup shortcut nobody asked for";
    const converter::frmConvalis& main = program_->MainWindow();
    if (!main.Loaded())
        return platform_->Shell().Icons().empty() ? "" : "the icon outlives the main window";
    std::string problem = testing_support::MainWindowProblem(main, separator_);
    if (problem.empty() && program_->ZoneEuro().Loaded())
        problem = testing_support::ZoneWindowProblem(program_->ZoneEuro(), separator_);
    if (problem.empty())
        problem = escape_.After(lastKey_);
    if (!problem.empty())
        return problem;
    if (main.ChangeRowShown() != expected_.changeRow ||
        main.Display(converter::frmConvalis::kPaidFrancs).Visible() != expected_.changeRow) {
        return expected_.changeRow ? "the change row is hidden" : "the change row is shown";
    }
    for (auto check : {&Soak::WindowProblem, &Soak::IconProblem, &Soak::OptionsProblem}) {
        problem = (this->*check)();
        if (!problem.empty())
            return problem;
    }
    return {};
}

// One of each window at most; the one opened last takes input and the
// others wait disabled; closed windows are freed.
std::string Soak::WindowProblem() {
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
            return window->Name() + (window->Enabled() ? " takes input under " + std::string(top)
                                                       : " is left disabled");
        }
    }
    if (names.size() == 1 && platform_->Gdi().DeviceContexts() != mainOnlyDeviceContexts_)
        return "closed windows are kept: " + std::to_string(platform_->Gdi().DeviceContexts()) +
               " device contexts";
    return {};
}

bool Soak::StartupShortcutThere() {
    offscreen::UserFiles& files = platform_->Shell().Files();
    return files.shortcuts.count(*files.startupFolder + "\\" + shell::kShortcutName) != 0;
}

// Exactly one icon while the main window lives, unless the shell refused it;
// a hidden window always has its icon to come back by.
std::string Soak::IconProblem() {
    const converter::frmConvalis& main = program_->MainWindow();
    const auto& icons = platform_->Shell().Icons();
    const std::size_t expected = expected_.iconRefused ? 0 : 1;
    if (icons.size() != expected)
        return std::to_string(icons.size()) + " icons in the notification area";
    if (main.HasTrayIcon() == expected_.iconRefused)
        return "the main window is wrong about its icon";
    if (!main.Window().Visible() && !main.HasTrayIcon())
        return "the main window is hidden without an icon";
    return {};
}

// A freshly opened options dialog shows what the user last confirmed.
std::string Soak::OptionsProblem() {
    const dialogs::frmOptions& options = program_->Options();
    const bool fresh = options.Loaded() && !optionsWereOpen_;
    optionsWereOpen_ = options.Loaded();
    if (!fresh)
        return {};
    if (options.StartWithWindows() != (expected_.shortcut ? 1 : 0))
        return "the options show the start with Windows otherwise";
    if (options.ShowChange() != (expected_.changeRow ? 1 : 0))
        return "the options show the change row otherwise";
    return {};
}

void Soak::Report(std::ostream& out, double seconds) const {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    char rate[64];
    std::snprintf(rate, sizeof rate, "%.1f s, %.0f events/s", seconds,
                  static_cast<double>(sent_) / seconds);
    out << "soak: " << sent_ << " events in " << rate << "; " << runs_ << " starts, " << opened_
        << " windows opened; peak memory " << usage.ru_maxrss / 1024 << " MB\n";
    if (failure_)
        out << "FAILED " << *failure_ << "\n";
}

std::optional<Options> ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const std::string value = argv[i + 1];
        if (value.find_first_not_of("0123456789") != std::string::npos || value.empty())
            return std::nullopt;
        if (flag == "--events")
            options.events = std::stol(value);
        else if (flag == "--seed")
            options.seed = static_cast<unsigned>(std::stoul(value));
        else
            return std::nullopt;
    }
    if (argc % 2 == 0)
        return std::nullopt;
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<Options> options = ParseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: convalis-soak [--events N] [--seed S]\n";
        return 2;
    }
    Soak soak(*options);
    const auto start = std::chrono::steady_clock::now();
    const bool passed = soak.Run();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    soak.Report(std::cout, elapsed.count());
    return passed ? 0 : 1;
}
