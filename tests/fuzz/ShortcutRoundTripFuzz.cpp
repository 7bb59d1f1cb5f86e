// Shortcuts written through the program's shortcut class and read back
// from a real file: texts with accents, characters outside the BMP, NULs,
// bytes that are no UTF-8, and lengths about the reader's 255-character
// buffers and the format's 65,535-unit counted strings.
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "TemporaryFolder.h"
#include "Utf8Check.h"
#include "platform/UnicodeText.h"
#include "platform/offscreen/OffscreenPlatform.h"
#include "platform/offscreen/ShellLinkFile.h"
#include "shell/cShellLink.h"

namespace {

// What the texts are made of.
const std::vector<std::string> kPieces = {
    "a",
    "Z",
    "7",
    " ",
    "\\",
    ":",
    "/Hidden",
    "\xC3\xA9",          // é
    "\xE2\x82\xAC",      // €
    "\xC5\x91",          // ő, outside the 8-bit code page
    "\xD0\xAF",          // Я
    "\xF0\x9D\x84\x9E",  // a surrogate pair in UTF-16
    std::string(1, '\0'),
    "\xED\xA0\x80",  // an encoded surrogate: no UTF-8
    "\xC3",          // cut short
    "\xFF",
};

// A text of pieces, each repeated; with `upToTheLimit`, now and then about
// 65,535 times, the format's limit for counted strings.
std::string Text(fuzzing::FuzzInput& in, bool upToTheLimit = false) {
    std::string text;
    const int pieces = in.Byte() % 5;
    for (int i = 0; i < pieces; ++i) {
        const std::string& piece = in.Pick(kPieces);
        const std::uint8_t count = in.Byte();
        const std::size_t repeat = upToTheLimit && count == 0xFF ? 65'520u + in.Byte() % 32 : count;
        for (std::size_t k = 0; k < repeat; ++k)
            text += piece;
    }
    return text;
}

// The text as the program keeps it, valid UTF-8, and its length in UTF-16
// units: converted once, for a text may hold 65,535 characters and the
// conversions dominate the harness's time.
struct Kept {
    explicit Kept(const std::string& written) {
        const std::u16string wide = platform::Utf8ToUtf16(written);
        text = platform::Utf16ToUtf8(wide);
        units = wide.size();
    }
    std::string text;
    std::size_t units;
};

std::size_t Utf16Length(const std::string& text) {
    return platform::Utf8ToUtf16(text).size();
}

// The reader's buffers: 254 UTF-16 units and the NUL.
constexpr std::size_t kBufferText = 254;

// A text comes back as written when it fits the buffer, holds no NUL and is
// valid UTF-8; otherwise it comes back as valid UTF-8 all the same.
void ExpectReadBack(const Kept& expected, const std::string& read, const char* what) {
    fuzzing::Expect(testing_support::IsValidUtf8(read), std::string(what) + " read is no UTF-8");
    if (expected.text.find('\0') == std::string::npos && expected.units <= kBufferText) {
        fuzzing::Expect(read == expected.text, std::string(what) + " did not come back as written");
    } else {
        fuzzing::Expect(Utf16Length(read) <= kBufferText, std::string(what) + " overflows");
    }
}

struct Folder {
    testing_support::TemporaryFolder folder;
    offscreen::OffscreenPlatform platform;
    std::string file = (folder.Path() / "Raccourci.lnk").string();
};

std::vector<std::uint8_t> FileBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// The file itself, read whole: the texts come back whole up to the counted
// strings' limit, cut between characters beyond it.
void CheckFile(const std::string& file, const Kept& target, const Kept& arguments,
               const Kept& comment) {
    const std::optional<offscreen::ShellLinkData> read =
        offscreen::DecodeShellLink(FileBytes(file));
    fuzzing::Expect(read.has_value(), "the reader refuses what the writer wrote");
    for (auto [expected, back] :
         {std::pair{&comment, &read->description}, std::pair{&arguments, &read->arguments}}) {
        if (expected->units <= offscreen::kMaxStringData) {
            fuzzing::Expect(*back == expected->text, "a counted string changed");
        } else {
            fuzzing::Expect(expected->text.compare(0, back->size(), *back) == 0 &&
                                Utf16Length(*back) + 1 >= offscreen::kMaxStringData,
                            "a long counted string was not cut at its limit");
        }
    }
    fuzzing::Expect(read->target == target.text.substr(0, target.text.find('\0')),
                    "the target changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Folder folder;
    fuzzing::FuzzInput in(data, size);
    shell::cShellLink link(folder.platform.ShellServices());
    link.SetLnkFile(folder.file);
    link.SetExeFile("C:\\" + Text(in));
    link.SetWorkDir(Text(in));
    link.SetExeArgs(Text(in, true));
    link.SetDescription(Text(in, true));
    link.SetIconFile(Text(in));
    link.SetIconIdx(static_cast<std::int32_t>(in.Dword()));
    link.SetHotKey(in.Word());
    link.SetStartShow(in.Byte() % 12);
    const Kept target(link.ExeFile()), workFolder(link.WorkDir()), arguments(link.ExeArgs()),
        comment(link.Description()), iconFile(link.IconFile());
    fuzzing::Expect(link.CreateLink(), "the shortcut was not written");
    CheckFile(folder.file, target, arguments, comment);

    shell::cShellLink back(folder.platform.ShellServices());
    back.SetLnkFile(folder.file);
    fuzzing::Expect(back.GetLinkInfo(), "the shortcut written was not read");
    ExpectReadBack(target, back.ExeFile(), "the target");
    ExpectReadBack(workFolder, back.WorkDir(), "the working folder");
    ExpectReadBack(arguments, back.ExeArgs(), "the arguments");
    ExpectReadBack(comment, back.Description(), "the comment");
    ExpectReadBack(iconFile, back.IconFile(), "the icon file");
    // The index goes with an icon file, and only with one.
    const std::int32_t iconIndex = link.IconFile().empty() ? 0 : link.IconIdx();
    fuzzing::Expect(back.IconIdx() == iconIndex, "the icon index changed");
    fuzzing::Expect(back.HotKey() == link.HotKey(), "the hot key changed");
    fuzzing::Expect(back.StartShow() == link.StartShow(), "the show command changed");
    return 0;
}
