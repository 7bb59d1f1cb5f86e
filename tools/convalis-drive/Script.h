// The driver's input: one event a line, checked whole before any runs.
#pragma once

#include <istream>
#include <string>
#include <variant>
#include <vector>

namespace drive {

struct KeyEvent {
    int keyCode = 0;
    int shift = 0;
};

struct ClickEvent {
    std::string control;
    int index = -1;
};

struct DumpEvent {};

// What the shell reports about the notification-area icon.
enum class TrayAction { kDoubleClick, kShellRestart };
struct TrayEvent {
    TrayAction action = TrayAction::kDoubleClick;
};

// Virtual time passing: timers tick.
struct TickEvent {
    int milliseconds = 0;
};

using Event = std::variant<KeyEvent, ClickEvent, DumpEvent, TrayEvent, TickEvent>;

struct ScriptError {
    int line = 0;
    std::string message;
};

struct Script {
    std::vector<Event> events;
    std::vector<ScriptError> errors;
};

// Reads a whole script. Blank lines and lines starting with # are skipped.
Script ReadScript(std::istream& input);

// A key as scripts write it, such as "Alt+F4" or "Num7"; false when unknown.
bool ParseKey(const std::string& text, KeyEvent* key);

}  // namespace drive
