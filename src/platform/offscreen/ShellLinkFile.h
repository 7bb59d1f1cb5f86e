// The published binary format of Windows shortcut files (".lnk"): a header
// with the show command and hot key, then a location record with the target
// path and the string data (comment, working directory, arguments, icon).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace offscreen {

// The UTF-16 code units a counted string of the format holds: the writer
// cuts a longer comment, working folder, argument text or icon path there.
constexpr std::size_t kMaxStringData = 0xFFFF;

// Texts are UTF-8. The reader gives valid UTF-8 whatever the file holds: a
// lone surrogate becomes U+FFFD, and 8-bit texts are read in Windows-1252.
struct ShellLinkData {
    std::string target;  // the local path of the target
    std::string workingDirectory;
    std::string arguments;
    std::string description;
    std::string iconLocation;
    std::int32_t iconIndex = 0;
    std::uint16_t hotKey = 0;
    std::uint32_t showCommand = 1;
};

std::vector<std::uint8_t> EncodeShellLink(const ShellLinkData& link);
// Null when the bytes are no shortcut this reader understands.
std::optional<ShellLinkData> DecodeShellLink(const std::vector<std::uint8_t>& bytes);

}  // namespace offscreen
