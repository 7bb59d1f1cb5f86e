// convalis-offscreen-keys [COUNT]: the whole program on the offscreen
// platform, as the unit tests and convalis-drive run it, takes COUNT key
// presses (default 100000) one after the other through the platform's event
// queue. Prints the key presses handled per second: what bounds the
// randomised tests. Exits with 1 if the keys did not reach the program.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Program.h"
#include "app/mMain.h"
#include "platform/offscreen/OffscreenPlatform.h"

namespace {

// Keys that each do something: an amount typed, converted, then the other
// display chosen.
constexpr int kKeyCycle[] = {'1', '2', '3', 13 /* Enter */, 9 /* Tab */};
constexpr int kCycleLength = sizeof(kKeyCycle) / sizeof(kKeyCycle[0]);

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    if (argc > 2 || count < kCycleLength) {
        std::fprintf(stderr, "usage: convalis-offscreen-keys [COUNT, at least %d]\n", kCycleLength);
        return 2;
    }
    offscreen::OffscreenPlatform platform(offscreen::ProgramFacts{});
    platform.SetNow({2002, 2, 19, 0, 0, 0});
    app::Program program(platform);
    app::Main(program);

    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        platform.PostKey(kKeyCycle[i % kCycleLength]);
        platform.RunPending();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    // Each "123" and Enter converted an amount into the other display.
    const bool converted =
        program.MainWindow().DisplayText(0) != "0" || program.MainWindow().DisplayText(2) != "0";
    program.MainWindow().Unload();
    platform.RunPending();
    if (!converted || !platform.HandlerErrors().empty()) {
        std::fprintf(stderr, "convalis-offscreen-keys: the keys did not convert an amount\n");
        return 1;
    }
    std::printf("%.0f\n", static_cast<double>(count) / elapsed.count());
    return 0;
}
