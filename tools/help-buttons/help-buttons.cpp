// Gives the help viewer's buttons French labels: the help writer adds an
// "About" and an "Up" button to the toolbar with English labels, in the
// macros of the help file's |SYSTEM file. This tool writes that file again
// with the labels replaced, at the end of the help file, and points the
// help file's directory at it (the old copy stays, unused).
//
//   help-buttons FILE.hlp
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// The help file is in Windows-1252: "\xC0" is "À".
const std::pair<std::string, std::string> kLabels[] = {
    {"CB(\"btn_about\",\"&About\",", "CB(\"btn_about\",\"\xC0 pr&opos\","},
    {"CB(\"btn_up\",\"&Up\",", "CB(\"btn_up\",\"Ha&ut\","},
};

constexpr std::uint32_t kHelpFileMagic = 0x00035F3F;
constexpr std::size_t kFileHeaderSize = 9;     // reserved, used (32 bits each), flags
constexpr std::size_t kSystemHeaderSize = 12;  // magic, minor, major, date, flags
constexpr std::uint16_t kMacroRecord = 4;

std::uint32_t Read32(const Bytes& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 3)) << 24;
}

std::uint16_t Read16(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

void Write32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<unsigned char>(value >> (8 * i));
    }
}

void Append16(Bytes& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

// A macro with its button's label made French; others as they are.
std::string Relabelled(std::string macro, int& replaced) {
    for (const auto& [english, french] : kLabels) {
        if (macro.compare(0, english.size(), english) == 0) {
            macro.replace(0, english.size(), french);
            ++replaced;
        }
    }
    return macro;
}

// The |SYSTEM file's data with its macro records relabelled.
Bytes RelabelledSystem(const Bytes& system, int& replaced) {
    Bytes out(system.begin(), system.begin() + kSystemHeaderSize);
    for (std::size_t at = kSystemHeaderSize; at + 4 <= system.size();) {
        const std::uint16_t type = Read16(system, at);
        const std::uint16_t size = Read16(system, at + 2);
        const auto data = system.begin() + static_cast<std::ptrdiff_t>(at + 4);
        Bytes record(data, data + size);
        if (type == kMacroRecord && size > 0 && record.back() == 0) {
            const std::string macro =
                Relabelled(std::string(record.begin(), record.end() - 1), replaced);
            record.assign(macro.begin(), macro.end());
            record.push_back(0);
        }
        Append16(out, type);
        Append16(out, static_cast<std::uint16_t>(record.size()));
        out.insert(out.end(), record.begin(), record.end());
        at += 4 + size;
    }
    return out;
}

int Fail(const char* problem) {
    std::fprintf(stderr, "help-buttons: %s\n", problem);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return Fail("usage: help-buttons FILE.hlp");
    }
    Bytes help;
    {
        std::ifstream in(argv[1], std::ios::binary);
        help.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (help.size() < 16 || Read32(help, 0) != kHelpFileMagic) {
        return Fail("not a help file");
    }
    // The directory's entry for |SYSTEM: the name, then the file's offset.
    const std::string name("|SYSTEM", sizeof "|SYSTEM");
    const auto directory = help.begin() + Read32(help, 4);
    const auto entry = std::search(directory, help.end(), name.begin(), name.end());
    if (entry == help.end()) {
        return Fail("no |SYSTEM file");
    }
    const std::size_t offsetAt = static_cast<std::size_t>(entry - help.begin()) + name.size();
    const std::size_t system = Read32(help, offsetAt);
    const std::size_t used = Read32(help, system + 4);
    const auto data = help.begin() + static_cast<std::ptrdiff_t>(system + kFileHeaderSize);
    int replaced = 0;
    const Bytes relabelled = RelabelledSystem(Bytes(data, data + used), replaced);
    if (replaced != static_cast<int>(std::size(kLabels))) {
        return Fail("the buttons' macros are not where they were");
    }

    const std::size_t moved = help.size();
    Bytes header(kFileHeaderSize);
    Write32(header, 0, static_cast<std::uint32_t>(kFileHeaderSize + relabelled.size()));
    Write32(header, 4, static_cast<std::uint32_t>(relabelled.size()));
    header[8] = help.at(system + 8);
    help.insert(help.end(), header.begin(), header.end());
    help.insert(help.end(), relabelled.begin(), relabelled.end());
    Write32(help, offsetAt, static_cast<std::uint32_t>(moved));
    Write32(help, 12, static_cast<std::uint32_t>(help.size()));

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(help.data()),
              static_cast<std::streamsize>(help.size()));
    return out ? 0 : Fail("cannot write the help file");
}
