// What a user, the shell and the clock do to the running program, each
// event picked by the next bytes of a source: the fuzzer's input, or a
// seeded generator in the soak. The fuzzer keeps to what the converter
// windows take without opening or closing one (typed keys, copy and paste,
// scale changes); the soak reaches the whole program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "platform/offscreen/OffscreenPlatform.h"

namespace testing_support {

// What an event will do to the options dialog, if it is the one open.
enum class OptionsOutcome { kNone, kConfirm, kCancel };

struct UserEvent {
    std::function<void(offscreen::OffscreenPlatform&)> post;
    std::string description;
    int keyCode = 0;
    OptionsOutcome options = OptionsOutcome::kNone;
    // The shell restarts; `refuses` whether it then refuses icons.
    bool shellRestart = false;
    bool refuses = false;
};

class RandomUser {
public:
    enum class Reach { kConverterWindows, kWholeProgram };

    RandomUser(Reach reach, std::function<std::uint8_t()> nextByte)
        : reach_(reach), nextByte_(std::move(nextByte)) {}

    // An event for the window that takes input now (null when none does).
    UserEvent Next(const offscreen::OffscreenWindow* active);

private:
    UserEvent Key(const offscreen::OffscreenWindow& active);
    UserEvent Mouse(const offscreen::OffscreenWindow& window);
    std::uint8_t Byte() { return nextByte_(); }
    // 0 to n - 1, n at most 65536.
    int Below(int n) { return (Byte() | Byte() << 8) % n; }

    Reach reach_;
    std::function<std::uint8_t()> nextByte_;
};

}  // namespace testing_support
