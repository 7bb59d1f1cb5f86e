#include "platform/win32/TimingProbe.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace win32 {

namespace {

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// How many controls of `painted` were painted more than once.
int PaintedTwice(std::vector<const void*> painted) {
    std::sort(painted.begin(), painted.end());
    int twice = 0;
    for (auto it = painted.begin(); it != painted.end();) {
        const auto next = std::upper_bound(it, painted.end(), *it);
        twice += next - it > 1 ? 1 : 0;
        it = next;
    }
    return twice;
}

// Whether a window of this thread still waits for its paint.
bool PaintPending() {
    return (HIWORD(::GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
}

}  // namespace

LONGLONG TimingProbe::Counter() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

std::unique_ptr<TimingProbe> TimingProbe::FromEnvironment() {
    const DWORD length = ::GetEnvironmentVariableW(kTimingLogVariable, nullptr, 0);
    if (length == 0) {
        return nullptr;
    }
    std::wstring path(length, L'\0');
    path.resize(::GetEnvironmentVariableW(kTimingLogVariable, path.data(), length));
    // Appended line by line, and readable by the benchmark while it grows.
    UniqueKernelHandle log(::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (log.Get() == INVALID_HANDLE_VALUE) {
        log.Release();
        return nullptr;
    }
    return std::unique_ptr<TimingProbe>(new TimingProbe(std::move(log)));
}

TimingProbe::TimingProbe(UniqueKernelHandle log) : log_(std::move(log)) {
    ::QueryPerformanceFrequency(&frequency_);
}

void TimingProbe::MessageArrived(const MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        keyArrival_ = Counter();
        keyPaints_.clear();
    }
}

void TimingProbe::MessageHandled(const MSG& msg) {
    if (msg.message != WM_PAINT || PaintPending()) {
        return;
    }
    if (!painted_) {
        painted_ = true;
        WriteLine("painted", MillisecondsSinceProcessStart(), ::GetAncestor(msg.hwnd, GA_ROOT));
    }
    if (keyArrival_ != 0) {
        const double microseconds = MicrosecondsSince(std::exchange(keyArrival_, 0));
        char paints[64];
        std::snprintf(paints, sizeof(paints), "key-paints %d %d\n",
                      static_cast<int>(keyPaints_.size()), PaintedTwice(keyPaints_));
        Write(paints);
        WriteLine("key", microseconds, nullptr);
    }
}

void TimingProbe::ControlPainted(const void* control) {
    if (keyArrival_ != 0) {
        keyPaints_.push_back(control);
    }
}

void TimingProbe::IconAdded(HWND window, LONGLONG callStart) {
    WriteLine("icon-call", MicrosecondsSince(callStart) / 1e3, nullptr);
    WriteLine("icon", MillisecondsSinceProcessStart(), window);
}

double TimingProbe::MicrosecondsSince(LONGLONG start) const {
    return static_cast<double>(Counter() - start) * 1e6 / static_cast<double>(frequency_.QuadPart);
}

double TimingProbe::MillisecondsSinceProcessStart() const {
    FILETIME now{};
    ::GetSystemTimePreciseAsFileTime(&now);
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return -1;
    }
    // FILETIME counts 100-nanosecond intervals.
    return static_cast<double>(Ticks(now) - Ticks(created)) / 1e4;
}

void TimingProbe::WriteLine(const char* event, double value, HWND window) {
    char line[96];
    const int length =
        window != nullptr
            ? std::snprintf(line, sizeof(line), "%s %.3f %llu\n", event, value,
                            static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)))
            : std::snprintf(line, sizeof(line), "%s %.3f\n", event, value);
    if (length < 0) {
        return;
    }
    // A line longer than the buffer (a huge value) is written cut, never
    // past the buffer's end.
    line[std::min<int>(length, sizeof(line) - 1)] = '\0';
    Write(line);
}

void TimingProbe::Write(const char* line) {
    DWORD written = 0;
    ::WriteFile(log_.Get(), line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
}

}  // namespace win32
