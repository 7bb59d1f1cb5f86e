// Any bytes as a shortcut file: the reader refuses them or gives valid
// UTF-8 texts, and what it gives the writer writes back unchanged.
#include <cstdint>
#include <vector>

#include "FuzzInput.h"
#include "Utf8Check.h"
#include "platform/offscreen/ShellLinkFile.h"

namespace {

using offscreen::ShellLinkData;

std::vector<const std::string*> Texts(const ShellLinkData& link) {
    return {&link.target, &link.workingDirectory, &link.arguments, &link.description,
            &link.iconLocation};
}

bool Same(const ShellLinkData& a, const ShellLinkData& b) {
    return a.target == b.target && a.workingDirectory == b.workingDirectory &&
           a.arguments == b.arguments && a.description == b.description &&
           a.iconLocation == b.iconLocation && a.iconIndex == b.iconIndex && a.hotKey == b.hotKey &&
           a.showCommand == b.showCommand;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::optional<ShellLinkData> link = offscreen::DecodeShellLink(bytes);
    if (!link)
        return 0;
    for (const std::string* text : Texts(*link))
        fuzzing::Expect(testing_support::IsValidUtf8(*text), "a text read is no UTF-8");
    const std::optional<ShellLinkData> again =
        offscreen::DecodeShellLink(offscreen::EncodeShellLink(*link));
    fuzzing::Expect(again.has_value(), "the reader refuses what the writer wrote");
    fuzzing::Expect(Same(*link, *again), "a shortcut read, written and read again changed");
    return 0;
}
