#include "SoakEvents.h"

#include <utility>
#include <vector>

namespace soak {
namespace {

namespace vk = platform::vk;

struct KeyChoice {
    int code;
    const char* name;
};

// Both keyboards' digits and every key a window of the program knows, with
// a few it ignores.
const std::vector<KeyChoice> kKeys = {
    {vk::k0, "0"},
    {vk::k0 + 1, "1"},
    {vk::k0 + 2, "2"},
    {vk::k0 + 5, "5"},
    {vk::k0 + 9, "9"},
    {vk::kNumpad0, "Num0"},
    {vk::kNumpad0 + 3, "Num3"},
    {vk::kNumpad0 + 8, "Num8"},
    {vk::kDecimal, "Decimal"},
    {vk::kComma, "Comma"},
    {vk::kPeriod, "Period"},
    {vk::kBack, "Backspace"},
    {vk::kEscape, "Escape"},
    {vk::kReturn, "Enter"},
    {vk::kTab, "Tab"},
    {vk::kUp, "Up"},
    {vk::kDown, "Down"},
    {vk::kLeft, "Left"},
    {vk::kRight, "Right"},
    {'O', "O"},
    {'R', "R"},
    {'Z', "Z"},
    {'A', "A"},
    {vk::kF1, "F1"},
    {vk::kF4, "F4"},
};

struct ControlChoice {
    const char* name;
    int index;
};

// The controls of each window that a click reaches.
const std::vector<ControlChoice>& Controls(const std::string& window) {
    static const std::vector<ControlChoice> kMain = {
        {"imaCommand", 0}, {"imaCommand", 1}, {"imaCommand", 2}, {"imaCommand", 3},
        {"imaCommand", 4}, {"imaCommand", 5}, {"lblP", 0},       {"lblP", 1},
        {"lblP", 2},       {"lblP", 3},       {"lblEti", 0},     {"lblEti", 1},
        {"lblEti", 2},     {"lblEti", 3},     {"nrvFocus", -1}};
    static const std::vector<ControlChoice> kZone = {
        {"imaCommand", 0}, {"imaCommand", 1}, {"imaCommand", 2}, {"lblP", 0},     {"lblP", 1},
        {"lblP", 2},       {"lblEti", 0},     {"lblEti", 2},     {"nrvFocus", -1}};
    static const std::vector<ControlChoice> kOptions = {{"imaCommand", -1},
                                                        {"chkDémarrage", -1},
                                                        {"chkAppoint", -1},
                                                        {"lblAction", 0},
                                                        {"lblAction", 1}};
    static const std::vector<ControlChoice> kAbout = {{"imaCommand", -1}, {"lblTitle", -1},
                                                      {"lblVersion", -1}, {"lblMarquee", -1},
                                                      {"lblWeb", -1},     {"lblMail", -1}};
    if (window == "frmConvalis")
        return kMain;
    if (window == "frmZoneEuro")
        return kZone;
    return window == "frmOptions" ? kOptions : kAbout;
}

bool IsOptions(const offscreen::OffscreenWindow* window) {
    return window != nullptr && window->Name() == "frmOptions";
}

std::string ShiftName(int shift) {
    std::string name;
    if (shift & platform::shift::kShift)
        name += "Shift+";
    if (shift & platform::shift::kCtrl)
        name += "Ctrl+";
    if (shift & platform::shift::kAlt)
        name += "Alt+";
    return name;
}

}  // namespace

Event EventSource::Next(const offscreen::OffscreenWindow* active) {
    const int roll = Below(1000);
    if (active == nullptr) {
        // Only the icon brings back a hidden window.
        if (roll < 300)
            return IconAction();
        return roll < 400 ? Tick() : Key(active);
    }
    if (roll < 620)
        return Key(active);
    if (roll < 800)
        return Click(*active);
    if (roll < 850)
        return IconAction();
    if (roll < 940)
        return Tick();
    if (roll < 990)
        return active->Name() == "frmConvalis" ? Drag(*active) : Key(active);
    if (roll < 995)
        return ShellRestart();
    return CloseRequest();
}

Event EventSource::Key(const offscreen::OffscreenWindow* active) {
    const KeyChoice& key = kKeys[static_cast<std::size_t>(Below(static_cast<int>(kKeys.size())))];
    const int roll = Below(100);
    int shift = 0;
    if (roll < 10)
        shift = platform::shift::kShift;
    else if (roll < 15)
        shift = platform::shift::kCtrl;
    else if (roll < 27)
        shift = platform::shift::kAlt;
    else if (roll < 30)
        shift = 1 + Below(7);
    Event event;
    event.description = "key " + ShiftName(shift) + key.name;
    event.post = [code = key.code, shift](offscreen::OffscreenPlatform& platform) {
        platform.PostKey(code, shift);
    };
    if (IsOptions(active)) {
        const bool altF4 = key.code == vk::kF4 && (shift & platform::shift::kAlt) != 0;
        if (key.code == vk::kReturn)
            event.options = OptionsOutcome::kConfirm;
        else if (key.code == vk::kEscape || altF4)
            event.options = OptionsOutcome::kCancel;
    }
    return event;
}

Event EventSource::Click(const offscreen::OffscreenWindow& window) {
    std::vector<ControlChoice> present;
    for (const ControlChoice& control : Controls(window.Name())) {
        const platform::Control* found = window.FindControl(control.name, control.index);
        if (found != nullptr && found->Visible())
            present.push_back(control);
    }
    const ControlChoice& control =
        present[static_cast<std::size_t>(Below(static_cast<int>(present.size())))];
    Event event;
    event.description = "click " + std::string(control.name) +
                        (control.index >= 0 ? "(" + std::to_string(control.index) + ")" : "");
    event.post = [control](offscreen::OffscreenPlatform& platform) {
        platform.PostClick(control.name, control.index);
    };
    if (IsOptions(&window) && std::string(control.name) == "lblAction")
        event.options = control.index == 0 ? OptionsOutcome::kConfirm : OptionsOutcome::kCancel;
    else if (IsOptions(&window) && std::string(control.name) == "imaCommand")
        event.options = OptionsOutcome::kCancel;
    return event;
}

Event EventSource::IconAction() {
    Event event;
    event.description = "tray dblclick";
    event.post = [](offscreen::OffscreenPlatform& platform) { platform.PostIconDoubleClick(); };
    return event;
}

// The shell goes and comes back: its icons are gone, and it tells every
// top-level window that its task bar is there again.
Event EventSource::ShellRestart() {
    Event event;
    event.shellRestart = true;
    event.refuses = Chance(0.3);
    event.description = event.refuses ? "shell restart, refusing icons" : "shell restart";
    event.post = [refuses = event.refuses](offscreen::OffscreenPlatform& platform) {
        platform.PostShellRestart(refuses);
    };
    return event;
}

Event EventSource::Tick() {
    const int milliseconds = 1 + Below(2000);
    Event event;
    event.description = "tick " + std::to_string(milliseconds);
    event.post = [milliseconds](offscreen::OffscreenPlatform& platform) {
        platform.PostTick(milliseconds);
    };
    return event;
}

// A press somewhere on the window, a move, a release: on the body, a display
// or a caption it drags the window; on a button it may click it.
Event EventSource::Drag(const offscreen::OffscreenWindow& window) {
    const platform::Bounds bounds = window.Placement();
    const int x = bounds.left / 15 + Below(std::max(1, bounds.width / 15));
    const int y = bounds.top / 15 + Below(std::max(1, bounds.height / 15));
    const int dx = Below(81) - 40, dy = Below(81) - 40;
    const int button = Chance(0.8) ? platform::button::kLeft : platform::button::kRight;
    Event event;
    event.description = "drag from " + std::to_string(x) + "," + std::to_string(y);
    event.post = [=](offscreen::OffscreenPlatform& platform) {
        platform.PostMouseDown(x, y, button);
        platform.PostMouseMove(x + dx / 2, y + dy / 2);
        platform.PostMouseMove(x + dx, y + dy);
        platform.PostMouseUp(x + dx, y + dy, button);
    };
    return event;
}

// The system asks the window that takes input to close, as the task bar's
// close command does.
Event EventSource::CloseRequest() {
    Event event;
    event.description = "close request";
    event.options = OptionsOutcome::kCancel;
    event.post = [](offscreen::OffscreenPlatform& platform) {
        platform.Post([&platform] {
            if (offscreen::OffscreenWindow* window = platform.ActiveWindow())
                window->Events().CloseRequested();
        });
    };
    return event;
}

}  // namespace soak
