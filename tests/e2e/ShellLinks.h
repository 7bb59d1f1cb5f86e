// Shortcut files (.lnk) as the shell reads them, and the user's Startup
// folder, where the program writes "Convalis.lnk" to start with Windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// The current user's Startup folder (CSIDL_STARTUP), without a trailing
// backslash; empty if the shell has none.
std::wstring StartupFolder();
// Startup folder + "\Convalis.lnk".
std::wstring StartupShortcutPath();

bool FileExists(const std::wstring& path);
// Whether two paths, long or short, name one file.
bool SameFile(const std::wstring& a, const std::wstring& b);
std::vector<unsigned char> FileBytes(const std::wstring& path);
// The little-endian 32-bit number at `offset` of `bytes`; none past the end.
std::optional<unsigned long> NumberAt(const std::vector<unsigned char>& bytes, size_t offset);

// What the shell's shortcut object reads from a shortcut file.
struct Shortcut {
    std::wstring target;
    std::wstring arguments;
    std::wstring iconFile;
    int iconIndex = -1;
};
std::optional<Shortcut> ReadShortcut(const std::wstring& path);

// Offsets in a shortcut file (the shell-link binary format): the header's
// size, then its show command.
constexpr size_t kHeaderSizeOffset = 0x00;
constexpr unsigned long kHeaderSize = 0x4C;
constexpr size_t kShowCommandOffset = 0x3C;

// Removes "Convalis.lnk" from the Startup folder now and again when the
// test ends: the prefix, and so the folder, outlives every test.
class NoStartupShortcut {
public:
    NoStartupShortcut() { Remove(); }
    ~NoStartupShortcut() { Remove(); }
    NoStartupShortcut(const NoStartupShortcut&) = delete;
    NoStartupShortcut& operator=(const NoStartupShortcut&) = delete;

private:
    static void Remove();
};

}  // namespace e2e
