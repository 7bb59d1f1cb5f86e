#include "Script.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "platform/Types.h"

namespace drive {
namespace {

const std::map<std::string, int>& KeyNames() {
    static const std::map<std::string, int> names = [] {
        namespace vk = platform::vk;
        std::map<std::string, int> keys{
            {"Decimal", vk::kDecimal}, {"Comma", vk::kComma},  {"Period", vk::kPeriod},
            {"Tab", vk::kTab},         {"Enter", vk::kReturn}, {"Escape", vk::kEscape},
            {"Backspace", vk::kBack},  {"Left", vk::kLeft},    {"Up", vk::kUp},
            {"Right", vk::kRight},     {"Down", vk::kDown},    {"Space", vk::kSpace},
            {"Insert", vk::kInsert},
        };
        for (int d = 0; d <= 9; ++d) {
            keys[std::to_string(d)] = vk::k0 + d;
            keys["Num" + std::to_string(d)] = vk::kNumpad0 + d;
        }
        for (int f = 1; f <= 12; ++f)
            keys["F" + std::to_string(f)] = vk::kF1 + f - 1;
        for (char c = 'A'; c <= 'Z'; ++c)
            keys[std::string(1, c)] = c;
        return keys;
    }();
    return names;
}

// The controls a script may click: whether one stands alone under the name
// (on some window), and how many elements its control array has.
struct Clickable {
    bool single;
    int elements;
};

const std::map<std::string, Clickable>& ClickableControls() {
    static const std::map<std::string, Clickable> controls{
        {"imaCommand", {true, 6}}, {"lblP", {false, 4}},      {"lblEti", {false, 4}},
        {"nrvFocus", {true, 0}},   {"lblAction", {false, 2}}, {"chkDémarrage", {true, 0}},
        {"chkAppoint", {true, 0}}, {"lblTitle", {true, 0}},   {"lblVersion", {true, 0}},
        {"lblWeb", {true, 0}},     {"lblMail", {true, 0}},    {"lblMarquee", {true, 0}}};
    return controls;
}

bool ParseClick(const std::string& text, ClickEvent* click) {
    std::string name = text;
    int index = -1;
    std::size_t open = text.find('(');
    if (open != std::string::npos) {
        if (text.back() != ')')
            return false;
        name = text.substr(0, open);
        std::string digits = text.substr(open + 1, text.size() - open - 2);
        if (digits.empty() || digits.size() > 3 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        index = std::stoi(digits);
    }
    auto known = ClickableControls().find(name);
    if (known == ClickableControls().end())
        return false;
    bool allowed = index < 0 ? known->second.single : index < known->second.elements;
    if (!allowed)
        return false;
    click->control = name;
    click->index = index;
    return true;
}

bool ParseTray(const std::string& action, TrayEvent* tray) {
    static const std::map<std::string, TrayAction> actions{
        {"dblclick", TrayAction::kDoubleClick},
        {"restart", TrayAction::kShellRestart},
    };
    auto found = actions.find(action);
    if (found == actions.end())
        return false;
    tray->action = found->second;
    return true;
}

std::string Trim(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The first three words of a line, separated as `>>` separates them.
std::array<std::string, 3> FirstWords(const std::string& line) {
    static const char* const kSpaces = " \t\n\v\f\r";
    std::array<std::string, 3> words;
    std::size_t at = 0;
    for (std::string& word : words) {
        const std::size_t start = line.find_first_not_of(kSpaces, at);
        if (start == std::string::npos)
            break;
        at = std::min(line.find_first_of(kSpaces, start), line.size());
        word = line.substr(start, at - start);
    }
    return words;
}

}  // namespace

bool ParseKey(const std::string& text, KeyEvent* key) {
    static const std::map<std::string, int> modifiers{{"Shift+", platform::shift::kShift},
                                                      {"Ctrl+", platform::shift::kCtrl},
                                                      {"Alt+", platform::shift::kAlt}};
    std::string rest = text;
    int shift = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [prefix, bit] : modifiers) {
            if (rest.size() > prefix.size() && rest.compare(0, prefix.size(), prefix) == 0) {
                shift |= bit;
                rest.erase(0, prefix.size());
                found = true;
            }
        }
    }
    auto named = KeyNames().find(rest);
    if (named == KeyNames().end())
        return false;
    key->keyCode = named->second;
    key->shift = shift;
    return true;
}

Script ReadScript(std::istream& input) {
    Script script;
    std::string raw;
    for (int number = 1; std::getline(input, raw); ++number) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#')
            continue;
        const auto [verb, argument, extra] = FirstWords(line);
        if (!extra.empty()) {
            script.errors.push_back({number, "unexpected text after the event: " + line});
        } else if (verb == "tray") {
            TrayEvent tray;
            if (ParseTray(argument, &tray)) {
                script.events.emplace_back(tray);
            } else {
                script.errors.push_back({number, "unknown icon event: " + line});
            }
        } else if (verb == "key") {
            KeyEvent key;
            if (ParseKey(argument, &key)) {
                script.events.emplace_back(key);
            } else {
                script.errors.push_back({number, "unknown key: " + argument});
            }
        } else if (verb == "click") {
            ClickEvent click;
            if (ParseClick(argument, &click)) {
                script.events.emplace_back(click);
            } else {
                script.errors.push_back({number, "unknown control: " + argument});
            }
        } else if (verb == "tick" && !argument.empty() && argument.size() <= 7 &&
                   argument.find_first_not_of("0123456789") == std::string::npos) {
            script.events.emplace_back(TickEvent{std::stoi(argument)});
        } else if (verb == "dump" && argument.empty()) {
            script.events.emplace_back(DumpEvent{});
        } else {
            script.errors.push_back({number, "unknown event: " + line});
        }
    }
    return script;
}

}  // namespace drive
