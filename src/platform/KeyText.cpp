#include "platform/KeyText.h"

#include <cctype>

#include "platform/Services.h"

namespace platform {
namespace {

struct NamedKey {
    const char* name;
    int key;
};
constexpr NamedKey kNamedKeys[] = {
    {"ENTER", vk::kReturn},   {"TAB", vk::kTab}, {"ESC", vk::kEscape}, {"ESCAPE", vk::kEscape},
    {"BACKSPACE", vk::kBack}, {"BS", vk::kBack}, {"BKSP", vk::kBack},
};

[[noreturn]] void RefuseKeystrokes() {
    throw RuntimeError("Invalid procedure call or argument");
}

std::string Capitals(std::string text) {
    for (char& letter : text)
        letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    return text;
}

// "F1" to "F12"; 0 for another name.
int FunctionKey(const std::string& name) {
    if (name.size() < 2 || name.size() > 3 || name[0] != 'F' ||
        !std::isdigit(static_cast<unsigned char>(name[1])) || name[1] == '0')
        return 0;
    if (name.size() == 3 && !std::isdigit(static_cast<unsigned char>(name[2])))
        return 0;
    const int number = std::stoi(name.substr(1));
    return number <= 12 ? vk::kF1 + number - 1 : 0;
}

int NamedKeyCode(const std::string& braced) {
    const std::string name = Capitals(braced);
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name)
            return named.key;
    }
    if (const int key = FunctionKey(name))
        return key;
    RefuseKeystrokes();
}

}  // namespace

std::vector<int> ParseKeystrokes(const std::string& text) {
    std::vector<int> keys;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            keys.push_back(vk::k0 + (c - '0'));
        } else if (c == '~') {
            keys.push_back(vk::kReturn);
        } else if (c == '{') {
            const std::size_t closing = text.find('}', i + 1);
            if (closing == std::string::npos)
                RefuseKeystrokes();
            keys.push_back(NamedKeyCode(text.substr(i + 1, closing - i - 1)));
            i = closing;
        } else {
            RefuseKeystrokes();
        }
    }
    return keys;
}

void Keyboard::SendKeys(const std::string& keys) {
    PostKeys(ParseKeystrokes(keys));
}

}  // namespace platform
