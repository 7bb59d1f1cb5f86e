// The published binary format of Windows shortcut files (".lnk"): a header
// with the show command and hot key, then a location record with the target
// path and the string data (comment, working directory, arguments, icon).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace offscreen {

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
