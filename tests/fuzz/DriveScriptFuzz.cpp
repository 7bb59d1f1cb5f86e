// Any text as a convalis-drive script: every line that is neither blank nor
// a comment gives exactly one event or one error, errors name their lines in
// order, and every event is one the program can be given.
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>

#include "FuzzInput.h"
#include "Script.h"
#include "platform/Shell.h"

namespace {

// How many lines the text has, as std::getline reads them, and how many of
// them count: blanks trimmed, neither empty nor starting with '#'.
std::pair<int, int> Lines(const std::string& text) {
    int lines = 0, counted = 0;
    for (std::size_t start = 0; start < text.size(); ++lines) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        const std::size_t first = text.find_first_not_of(" \t\r", start);
        counted += first < end && text[first] != '#';
        start = end + 1;
    }
    return {lines, counted};
}

void ExpectSound(const drive::Event& event) {
    if (const auto* key = std::get_if<drive::KeyEvent>(&event)) {
        fuzzing::Expect(key->keyCode > 0 && key->keyCode < 256, "a key code out of range");
        fuzzing::Expect((key->shift & ~7) == 0, "an unknown modifier");
    } else if (const auto* click = std::get_if<drive::ClickEvent>(&event)) {
        fuzzing::Expect(!click->control.empty() && click->index >= -1 && click->index < 6,
                        "a click on no control");
    } else if (const auto* tick = std::get_if<drive::TickEvent>(&event)) {
        fuzzing::Expect(tick->milliseconds >= 0, "time running backwards");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::istringstream input(text);
    const drive::Script script = drive::ReadScript(input);
    const auto [lines, counted] = Lines(text);
    int previous = 0;
    for (const drive::ScriptError& error : script.errors) {
        fuzzing::Expect(error.line > previous && error.line <= lines,
                        "an error names line " + std::to_string(error.line));
        fuzzing::Expect(!error.message.empty(), "an error without a message");
        previous = error.line;
    }
    fuzzing::Expect(static_cast<int>(script.events.size() + script.errors.size()) == counted,
                    "a line gave no event and no error, or two");
    for (const drive::Event& event : script.events)
        ExpectSound(event);
    return 0;
}
