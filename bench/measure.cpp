// convalis-measure: starts a program of the build many times under the same
// Windows (or Wine) session and reads the timings it writes to the file named
// by CONVALIS_BENCH_LOG (Convalis.exe and bare-window.exe both write them).
//
//   convalis-measure start RUNS EVENT PROGRAM ARGUMENT [EVENT PROGRAM ARGUMENT]...
//       Starts each PROGRAM with its ARGUMENT text ("" for none) RUNS times,
//       taking turns, so that a change of the machine's load falls on all
//       of them alike, and waits each time for its EVENT: "painted" (the
//       first complete paint) or "icon" (the notification-area icon added).
//       Prints one line per program:
//       MEDIAN_MS MIN_MS MAX_MS PEAK_WORKING_SET_KIB PRIVATE_KIB ICON_CALL_MS WINDOWS
//       (the last four are medians over the runs, read once the event has
//       happened; the icon call is the time the shell took to add the
//       notification icon, read once the program waits for input, since it
//       may add it after its first paint, 0 for a program without one;
//       WINDOWS the windows the program has once it has painted, or added
//       its icon).
//   convalis-measure keys COUNT PROGRAM...
//       Presses COUNT keys in each program's window, one after the other,
//       each once the paints of the one before are over, the programs taking
//       turns key by key. Prints one line per program:
//       MEDIAN_US P10_US P99_US PAINTS TWICE (the 10th percentile: what a key
//       takes when the machine's other work leaves the program alone; PAINTS
//       the median of the controls painted per key, TWICE the most controls
//       painted more than once for one key; n/a for a program that does not
//       count them)
//
// A figure is never judged: the exit status is 0 unless the program could
// not be run or measured.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr wchar_t kLogVariable[] = L"CONVALIS_BENCH_LOG";
// Generous: a loaded machine may take seconds where an idle one takes
// milliseconds.
constexpr std::chrono::seconds kPatience{30};

// One timing line of the log: "EVENT VALUE [HWND or NUMBER]".
struct Record {
    std::string event;
    double value = 0;
    HWND window = nullptr;
    unsigned long long number = 0;  // the third field as a number
};

std::optional<Record> ParseRecord(const std::string& line) {
    std::istringstream fields(line);
    Record record;
    unsigned long long window = 0;
    if (!(fields >> record.event >> record.value)) {
        return std::nullopt;
    }
    if (fields >> window) {
        record.number = window;
        record.window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(window));
    }
    return record;
}

// The timing log of one run, made empty before the program starts and kept
// open while it grows. Each look reads only what was appended, from a file
// this process holds open: under Wine that asks nothing of the server, which
// the measured program waits on for every window it makes, where opening the
// file at each look would.
class TimingLog {
public:
    explicit TimingLog(std::wstring path)
        : path_(std::move(path)),
          file_(CreateFileW(path_.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (file_ == INVALID_HANDLE_VALUE) {
            throw std::runtime_error("cannot make the timing log (error " +
                                     std::to_string(GetLastError()) + ")");
        }
    }
    ~TimingLog() {
        CloseHandle(file_);
        DeleteFileW(path_.c_str());
    }
    TimingLog(const TimingLog&) = delete;
    TimingLog& operator=(const TimingLog&) = delete;

    const std::wstring& Path() const { return path_; }

    // Every whole line written so far, as records.
    const std::vector<Record>& Records() {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(file_, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
            partial_.append(buffer, read);
        }
        std::size_t end = 0;
        while ((end = partial_.find('\n')) != std::string::npos) {
            if (std::optional<Record> record = ParseRecord(partial_.substr(0, end))) {
                records_.push_back(*record);
            }
            partial_.erase(0, end + 1);
        }
        return records_;
    }

private:
    std::wstring path_;
    HANDLE file_;
    std::string partial_;  // a line still being written
    std::vector<Record> records_;
};

// One run of the program, with its own timing log; closed (WM_CLOSE, then
// termination) at the end of the scope.
class Run {
public:
    Run(const std::wstring& program, const std::wstring& argument, const std::wstring& log)
        : log_(log) {
        SetEnvironmentVariableW(kLogVariable, log_.Path().c_str());
        std::wstring commandLine = L"\"" + program + L"\"";
        if (!argument.empty()) {
            commandLine += L" " + argument;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &started)) {
            throw std::runtime_error("cannot start the program (error " +
                                     std::to_string(GetLastError()) + ")");
        }
        CloseHandle(started.hThread);
        process_ = started.hProcess;
    }

    ~Run() {
        if (window_ != nullptr) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        const auto limit = static_cast<DWORD>(
            std::chrono::duration_cast<std::chrono::milliseconds>(kPatience).count());
        if (WaitForSingleObject(process_, window_ != nullptr ? limit : 0) != WAIT_OBJECT_0) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, limit);
        }
        CloseHandle(process_);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Waits until the log holds `count` records of `event`; gives them.
    std::vector<Record> Await(const std::string& event, std::size_t count) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        for (int polls = 0;; ++polls) {
            std::vector<Record> found = All(event);
            if (found.size() >= count) {
                if (window_ == nullptr) {
                    window_ = found.front().window;
                }
                return found;
            }
            // A look at the process asks the server: not at every poll.
            if (polls % 64 == 63 && WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
                throw std::runtime_error("the program ended before \"" + event + "\"");
            }
            if (std::chrono::steady_clock::now() > deadline) {
                throw std::runtime_error("no \"" + event + "\" from the program in time");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    HWND Window() const { return window_; }

    // The windows the program has now, child windows and the system's own
    // (an IME window) included.
    int Windows() const {
        struct Count {
            DWORD process;
            int windows;
        } count{GetProcessId(process_), 0};
        EnumWindows(
            [](HWND window, LPARAM lParam) -> BOOL {
                auto& counted = *reinterpret_cast<Count*>(lParam);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == counted.process) {
                    ++counted.windows;
                    EnumChildWindows(
                        window,
                        [](HWND, LPARAM inner) -> BOOL {
                            ++reinterpret_cast<Count*>(inner)->windows;
                            return TRUE;
                        },
                        lParam);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count.windows;
    }

    // The value of the first record of `event` logged so far, or 0.
    double ValueOf(const std::string& event) const {
        const std::vector<Record> records = All(event);
        return records.empty() ? 0 : records.front().value;
    }

    // The records of `event` logged so far.
    std::vector<Record> All(const std::string& event) const {
        std::vector<Record> found;
        for (const Record& record : log_.Records()) {
            if (record.event == event) {
                found.push_back(record);
            }
        }
        return found;
    }

    // Peak working set and private bytes, in KiB, once the program waits
    // for input.
    std::pair<double, double> Memory() const {
        WaitForInputIdle(process_, 1000);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (!GetProcessMemoryInfo(process_, &counters, sizeof(counters))) {
            return {0, 0};
        }
        // The commit charge: what Windows shows as private bytes (Wine counts
        // the process's anonymous resident and swapped memory).
        return {counters.PeakWorkingSetSize / 1024.0, counters.PagefileUsage / 1024.0};
    }

private:
    mutable TimingLog log_;  // reading it only takes in what was written
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;
};

double Quantile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A log of its own for each run: programs measured side by side must not
// read each other's events.
std::wstring LogPath() {
    static int runs = 0;
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"convalis-measure-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++runs) + L".log";
}

// What to start and what to wait for, and the figures of its runs.
struct Start {
    std::string event;
    std::wstring program;
    std::wstring argument;
    std::vector<double> times, peaks, privates, iconCalls, windows;

    Start(std::string awaited, std::wstring path, std::wstring arguments)
        : event(std::move(awaited)), program(std::move(path)), argument(std::move(arguments)) {}

    void Measure() {
        Run run(program, argument, LogPath());
        times.push_back(run.Await(event, 1).front().value);
        windows.push_back(run.Windows());
        const auto [peak, privateBytes] = run.Memory();
        peaks.push_back(peak);
        privates.push_back(privateBytes);
        // Once the program waits for input: it may add its icon after its
        // first paint.
        iconCalls.push_back(run.ValueOf("icon-call"));
    }

    void Print() const {
        std::printf("%.1f %.1f %.1f %.0f %.0f %.1f %.0f\n", Median(times),
                    *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), Median(peaks), Median(privates),
                    Median(iconCalls), Median(windows));
    }
};

void MeasureStarts(int runs, std::vector<Start>& starts) {
    for (Start& start : starts) {
        // Unrecorded: the first start also pays for what the system loads
        // once for every program.
        Run warmUp(start.program, start.argument, LogPath());
        warmUp.Await(start.event, 1);
    }
    for (int i = 0; i < runs; ++i) {
        for (Start& start : starts) {
            start.Measure();
        }
    }
    for (const Start& start : starts) {
        start.Print();
    }
}

// Keys that each change what the window shows: an amount typed, converted,
// then the other display chosen.
constexpr WORD kKeyCycle[] = {'1', '2', '3', VK_RETURN, VK_TAB};

// One program whose keys are measured, and its key latencies.
struct KeyedRun {
    Run run;
    std::vector<double> latencies;

    explicit KeyedRun(const std::wstring& program) : run(program, L"", LogPath()) {}

    // Presses the `index`th key and waits for the end of its paints.
    void Press(int index) {
        const WORD key = kKeyCycle[index % std::size(kKeyCycle)];
        const LPARAM down = 1 | static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
        PostMessageW(run.Window(), WM_KEYDOWN, key, down);
        latencies.push_back(run.Await("key", static_cast<std::size_t>(index) + 1).back().value);
        PostMessageW(run.Window(), WM_KEYUP, key, up);
    }

    void Print() const {
        std::printf("%.1f %.1f %.1f ", Median(latencies), Quantile(latencies, 0.10),
                    Quantile(latencies, 0.99));
        const std::vector<Record> keyPaints = run.All("key-paints");
        if (keyPaints.empty()) {
            std::printf("n/a n/a\n");  // a program that does not count its paints
            return;
        }
        std::vector<double> paints;
        unsigned long long twice = 0;
        for (const Record& record : keyPaints) {
            paints.push_back(record.value);
            twice = std::max(twice, record.number);
        }
        std::printf("%.0f %llu\n", Median(paints), twice);
    }
};

void MeasureKeys(int count, const std::vector<std::wstring>& programs) {
    std::vector<std::unique_ptr<KeyedRun>> runs;
    for (const std::wstring& program : programs) {
        runs.push_back(std::make_unique<KeyedRun>(program));
        runs.back()->run.Await("painted", 1);
        // Side by side, so that none paints under another: a covered window
        // would copy fewer pixels to the screen.
        const int left = 10 + 260 * static_cast<int>(runs.size() - 1);
        SetWindowPos(runs.back()->run.Window(), nullptr, left, 10, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The programs take turns, key by key: a change of the machine's load
    // falls on all of them alike.
    for (int i = 0; i < count; ++i) {
        for (const auto& keyed : runs) {
            keyed->Press(i);
        }
    }
    for (const auto& keyed : runs) {
        keyed->Print();
    }
}

int Usage() {
    std::fprintf(stderr,
                 "usage: convalis-measure start RUNS painted|icon PROGRAM ARGUMENT...\n"
                 "       convalis-measure keys COUNT PROGRAM...\n");
    return 2;
}

std::optional<int> Count(const wchar_t* text) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text, &end, 10);
    if (*end != L'\0' || value < 1 || value > 100000) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// A hidden window of this process keeps Wine's desktop process alive
// between the runs, as a user's session keeps it.
class DesktopKeeper {
public:
    DesktopKeeper()
        : window_(CreateWindowExW(0, L"STATIC", L"convalis-measure", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, nullptr, nullptr)) {}
    ~DesktopKeeper() {
        if (window_ != nullptr) {
            DestroyWindow(window_);
        }
    }
    DesktopKeeper(const DesktopKeeper&) = delete;
    DesktopKeeper& operator=(const DesktopKeeper&) = delete;

private:
    HWND window_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const DesktopKeeper keeper;
    // A pointer resting on a control would open its tooltip.
    SetCursorPos(0, 0);
    try {
        const std::wstring command = argc > 1 ? argv[1] : L"";
        if (command == L"start" && argc >= 6 && (argc - 3) % 3 == 0) {
            const std::optional<int> runs = Count(argv[2]);
            std::vector<Start> starts;
            for (int i = 3; i < argc; i += 3) {
                const std::wstring event = argv[i];
                if (event != L"painted" && event != L"icon") {
                    return Usage();
                }
                starts.emplace_back(std::string(event.begin(), event.end()), argv[i + 1],
                                    argv[i + 2]);
            }
            if (!runs) {
                return Usage();
            }
            MeasureStarts(*runs, starts);
        } else if (command == L"keys" && argc >= 4) {
            const std::optional<int> count = Count(argv[2]);
            if (!count) {
                return Usage();
            }
            MeasureKeys(*count, std::vector<std::wstring>(argv + 3, argv + argc));
        } else {
            return Usage();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "convalis-measure: %s\n", error.what());
        return 1;
    }
    return 0;
}
