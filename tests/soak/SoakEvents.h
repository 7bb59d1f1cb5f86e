// The random events of the soak: what a user, the shell and the clock do to
// the running program, chosen for the window that takes input now.
#pragma once

#include <functional>
#include <random>
#include <string>

#include "platform/offscreen/OffscreenPlatform.h"

namespace soak {

// What an event will do to the options dialog, if it is the one open.
enum class OptionsOutcome { kNone, kConfirm, kCancel };

struct Event {
    // Posts the event to the platform's queue.
    std::function<void(offscreen::OffscreenPlatform&)> post;
    OptionsOutcome options = OptionsOutcome::kNone;
    // The shell restarts; `refuses` whether it then refuses icons.
    bool shellRestart = false;
    bool refuses = false;
    std::string description;
};

class EventSource {
public:
    explicit EventSource(unsigned seed) : random_(seed) {}

    // An event for the window that takes input now (null when none does).
    Event Next(const offscreen::OffscreenWindow* active);

    std::mt19937& Random() { return random_; }

private:
    Event Key(const offscreen::OffscreenWindow* active);
    Event ClipboardKey();
    Event ScaleChange(const offscreen::OffscreenWindow& window);
    Event Click(const offscreen::OffscreenWindow& window);
    Event IconAction();
    Event ShellRestart();
    Event Tick();
    Event Drag(const offscreen::OffscreenWindow& window);
    Event CloseRequest();
    bool Chance(double p) { return std::uniform_real_distribution<>(0, 1)(random_) < p; }
    int Below(int n) { return std::uniform_int_distribution<>(0, n - 1)(random_); }

    std::mt19937 random_;
};

}  // namespace soak
