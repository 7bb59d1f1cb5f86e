// Timings for the benchmark (scripts/bench.sh), taken only when the
// environment variable CONVALIS_BENCH_LOG names a file. The probe appends one
// line per event to that file:
//
//   painted MS HWND   the first time every window is painted, MS milliseconds
//                     after the process was created; HWND is the top-level
//                     window painted last
//   icon-call MS      how long the shell took to add the notification-area
//                     icon, the call's own milliseconds
//   icon MS HWND      the notification-area icon added, for the window HWND
//   key US            a key's arrival to the end of the paints it caused, in
//                     microseconds
//   key-paints N R    the controls painted for that key, and how many of them
//                     were painted more than once
//
// Without the variable the runtime holds no probe: a shipped program pays a
// test of one pointer per message.
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

inline constexpr wchar_t kTimingLogVariable[] = L"CONVALIS_BENCH_LOG";

class TimingProbe {
public:
    // A probe writing to the file that the environment names, or null.
    static std::unique_ptr<TimingProbe> FromEnvironment();

    // Around the handling of each message that the message loop takes.
    void MessageArrived(const MSG& msg);
    void MessageHandled(const MSG& msg);
    // `callStart` is the counter (Counter()) before the shell was called.
    void IconAdded(HWND window, LONGLONG callStart);
    // A control drawn by its window was painted.
    void ControlPainted(const void* control);

    static LONGLONG Counter();

private:
    explicit TimingProbe(UniqueKernelHandle log);
    double MillisecondsSinceProcessStart() const;
    double MicrosecondsSince(LONGLONG start) const;
    void WriteLine(const char* event, double value, HWND window);
    void Write(const char* line);

    UniqueKernelHandle log_;
    LARGE_INTEGER frequency_{};
    LONGLONG keyArrival_ = 0;             // counter ticks; 0 when no key awaits its paint
    std::vector<const void*> keyPaints_;  // the controls painted for the key
    bool painted_ = false;
};

}  // namespace win32
