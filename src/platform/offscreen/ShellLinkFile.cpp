#include "platform/offscreen/ShellLinkFile.h"

#include <array>

#include "platform/UnicodeText.h"

namespace offscreen {
namespace {

// {00021401-0000-0000-C000-000000000046}, as it is stored.
constexpr std::array<std::uint8_t, 16> kLinkClsid = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kShowCommandOffset = 0x3C;

// Link flags.
constexpr std::uint32_t kHasLinkTargetIdList = 0x01;
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasName = 0x04;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

// The location record: a local path on a fixed volume, in the ANSI field and
// the Unicode one.
constexpr std::uint32_t kLinkInfoHeaderSize = 0x24;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kDriveFixed = 3;

class Writer {
public:
    void U8(std::uint8_t v) { bytes_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Bytes(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }
    std::vector<std::uint8_t>& Result() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

class Reader {
public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    bool Has(std::size_t count) const { return at_ + count <= bytes_.size(); }
    std::uint8_t U8() { return Has(1) ? bytes_[at_++] : (fail_ = true, 0); }
    // Little-endian; each byte read in its own statement, in order.
    std::uint16_t U16() {
        std::uint16_t low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::uint32_t U32() {
        std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }
    void Skip(std::size_t count) {
        if (Has(count)) {
            at_ += count;
        } else {
            fail_ = true;
        }
    }
    std::size_t At() const { return at_; }
    void Seek(std::size_t at) {
        if (at <= bytes_.size()) {
            at_ = at;
        } else {
            fail_ = true;
        }
    }
    bool Failed() const { return fail_; }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
    bool fail_ = false;
};

// The ANSI fields hold texts in the system's 8-bit code page: Windows-1252,
// that of the French Windows the program is made for. Its bytes 80..9F
// that name no character stand for the control characters U+0080..U+009F,
// as Windows reads them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string FromAnsi(const std::string& bytes) {
    std::u16string wide;
    for (char c : bytes) {
        auto byte = static_cast<std::uint8_t>(c);
        wide.push_back(byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80]
                                                   : static_cast<char16_t>(byte));
    }
    return platform::Utf16ToUtf8(wide);
}

// What the code page can hold of a text; '?' for any other character.
std::string ToAnsi(const std::u16string& wide) {
    std::string bytes;
    for (char16_t unit : wide) {
        char byte = '?';
        if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
            byte = static_cast<char>(unit);
        } else {
            for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
                if (kCp1252High[k] == unit)
                    byte = static_cast<char>(0x80 + k);
            }
        }
        bytes += byte;
    }
    return bytes;
}

std::vector<std::uint8_t> LinkInfo(const std::string& target) {
    Writer volume;
    volume.U32(0x11);  // VolumeIDSize
    volume.U32(kDriveFixed);
    volume.U32(0);     // DriveSerialNumber
    volume.U32(0x10);  // VolumeLabelOffset
    volume.U8(0);      // an empty label
    std::vector<std::uint8_t> volumeId = volume.Result();

    std::u16string wide = platform::Utf8ToUtf16(target);
    std::string ansi = ToAnsi(wide);
    std::uint32_t volumeOffset = kLinkInfoHeaderSize;
    std::uint32_t pathOffset = volumeOffset + static_cast<std::uint32_t>(volumeId.size());
    std::uint32_t suffixOffset = pathOffset + static_cast<std::uint32_t>(ansi.size()) + 1;
    std::uint32_t widePathOffset = suffixOffset + 1;
    std::uint32_t wideSuffixOffset =
        widePathOffset + 2 * (static_cast<std::uint32_t>(wide.size()) + 1);
    std::uint32_t size = wideSuffixOffset + 2;

    Writer info;
    info.U32(size);
    info.U32(kLinkInfoHeaderSize);
    info.U32(kVolumeIdAndLocalBasePath);
    info.U32(volumeOffset);
    info.U32(pathOffset);
    info.U32(0);  // CommonNetworkRelativeLinkOffset
    info.U32(suffixOffset);
    info.U32(widePathOffset);
    info.U32(wideSuffixOffset);
    info.Bytes(volumeId);
    for (char c : ansi)
        info.U8(static_cast<std::uint8_t>(c));
    info.U8(0);
    info.U8(0);  // CommonPathSuffix: empty
    for (char16_t c : wide)
        info.U16(c);
    info.U16(0);
    info.U16(0);  // the Unicode suffix: empty
    return info.Result();
}

// A counted string: a text longer than the count can say is cut, between
// two characters.
void StringData(Writer& out, const std::string& text) {
    std::u16string wide = platform::Utf8ToUtf16(text);
    if (wide.size() > kMaxStringData) {
        const bool splitsPair =
            wide[kMaxStringData - 1] >= 0xD800 && wide[kMaxStringData - 1] < 0xDC00;
        wide.resize(splitsPair ? kMaxStringData - 1 : kMaxStringData);
    }
    out.U16(static_cast<std::uint16_t>(wide.size()));
    for (char16_t c : wide)
        out.U16(c);
}

std::string ReadStringData(Reader& in, bool unicode) {
    std::uint16_t count = in.U16();
    // A count beyond the end of the file fails at once, without reading on.
    const std::size_t bytes = unicode ? 2u * count : count;
    if (!in.Has(bytes)) {
        in.Skip(bytes);
        return {};
    }
    if (!unicode) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>(in.U8());
        return FromAnsi(text);
    }
    std::u16string wide;
    for (int i = 0; i < count; ++i)
        wide.push_back(static_cast<char16_t>(in.U16()));
    return platform::Utf16ToUtf8(wide);
}

std::string ReadZeroTerminated(Reader& in, std::size_t at) {
    in.Seek(at);
    std::string text;
    for (std::uint8_t c = in.U8(); c != 0 && !in.Failed(); c = in.U8()) {
        text += static_cast<char>(c);
    }
    return FromAnsi(text);
}

std::string ReadZeroTerminatedWide(Reader& in, std::size_t at) {
    in.Seek(at);
    std::u16string text;
    for (std::uint16_t c = in.U16(); c != 0 && !in.Failed(); c = in.U16()) {
        text.push_back(static_cast<char16_t>(c));
    }
    return platform::Utf16ToUtf8(text);
}

// The local path of a location record, Unicode when it has one.
std::string ReadLinkInfo(Reader& in) {
    std::size_t start = in.At();
    std::uint32_t size = in.U32();
    std::uint32_t headerSize = in.U32();
    std::uint32_t flags = in.U32();
    in.U32();  // VolumeIDOffset
    std::uint32_t pathOffset = in.U32();
    in.U32();  // CommonNetworkRelativeLinkOffset
    std::uint32_t suffixOffset = in.U32();
    std::uint32_t widePathOffset = headerSize >= 0x24 ? in.U32() : 0;
    std::uint32_t wideSuffixOffset = headerSize >= 0x24 ? in.U32() : 0;
    std::string path;
    if ((flags & kVolumeIdAndLocalBasePath) != 0) {
        path = widePathOffset != 0 ? ReadZeroTerminatedWide(in, start + widePathOffset)
                                   : ReadZeroTerminated(in, start + pathOffset);
        path += wideSuffixOffset != 0 ? ReadZeroTerminatedWide(in, start + wideSuffixOffset)
                                      : ReadZeroTerminated(in, start + suffixOffset);
    }
    in.Seek(start + size);
    return path;
}

}  // namespace

std::vector<std::uint8_t> EncodeShellLink(const ShellLinkData& link) {
    std::uint32_t flags = kHasLinkInfo | kIsUnicode;
    if (!link.description.empty())
        flags |= kHasName;
    if (!link.workingDirectory.empty())
        flags |= kHasWorkingDir;
    if (!link.arguments.empty())
        flags |= kHasArguments;
    if (!link.iconLocation.empty())
        flags |= kHasIconLocation;

    Writer out;
    out.U32(kHeaderSize);
    for (std::uint8_t b : kLinkClsid)
        out.U8(b);
    out.U32(flags);
    out.U32(0x20);  // FileAttributes: archive
    for (int i = 0; i < 3 * 8; ++i)
        out.U8(0);  // creation, access, write times
    out.U32(0);     // FileSize
    out.U32(static_cast<std::uint32_t>(link.iconIndex));
    out.U32(link.showCommand);
    out.U16(link.hotKey);
    out.U16(0);
    out.U32(0);
    out.U32(0);
    out.Bytes(LinkInfo(link.target));
    if (flags & kHasName)
        StringData(out, link.description);
    if (flags & kHasWorkingDir)
        StringData(out, link.workingDirectory);
    if (flags & kHasArguments)
        StringData(out, link.arguments);
    if (flags & kHasIconLocation)
        StringData(out, link.iconLocation);
    out.U32(0);  // TerminalBlock
    return out.Result();
}

std::optional<ShellLinkData> DecodeShellLink(const std::vector<std::uint8_t>& bytes) {
    Reader in(bytes);
    if (in.U32() != kHeaderSize)
        return std::nullopt;
    for (std::uint8_t b : kLinkClsid) {
        if (in.U8() != b)
            return std::nullopt;
    }
    std::uint32_t flags = in.U32();
    ShellLinkData link;
    in.Seek(kShowCommandOffset - 4);
    link.iconIndex = static_cast<std::int32_t>(in.U32());
    link.showCommand = in.U32();
    link.hotKey = in.U16();
    in.Seek(kHeaderSize);
    if (flags & kHasLinkTargetIdList)
        in.Skip(in.U16());
    if (flags & kHasLinkInfo)
        link.target = ReadLinkInfo(in);
    const bool unicode = (flags & kIsUnicode) != 0;
    if (flags & kHasName)
        link.description = ReadStringData(in, unicode);
    if (flags & kHasRelativePath)
        ReadStringData(in, unicode);
    if (flags & kHasWorkingDir)
        link.workingDirectory = ReadStringData(in, unicode);
    if (flags & kHasArguments)
        link.arguments = ReadStringData(in, unicode);
    if (flags & kHasIconLocation)
        link.iconLocation = ReadStringData(in, unicode);
    if (in.Failed())
        return std::nullopt;
    return link;
}

}  // namespace offscreen
