#include "platform/offscreen/ShellLinkFile.h"

#include <array>

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

// UTF-8 to UTF-16 code units and back; the shortcut's strings are UTF-16.
std::u16string ToUtf16(const std::string& text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::uint32_t code = c;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (extra)
            code = c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) {
            code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
    return out;
}

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size()) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// The ANSI field holds what survives of the path in plain ASCII.
std::string Ascii(const std::string& text) {
    std::string out;
    for (char c : text)
        out += static_cast<unsigned char>(c) < 0x80 ? c : '?';
    return out;
}

std::vector<std::uint8_t> LinkInfo(const std::string& target) {
    Writer volume;
    volume.U32(0x11);  // VolumeIDSize
    volume.U32(kDriveFixed);
    volume.U32(0);     // DriveSerialNumber
    volume.U32(0x10);  // VolumeLabelOffset
    volume.U8(0);      // an empty label
    std::vector<std::uint8_t> volumeId = volume.Result();

    std::string ansi = Ascii(target);
    std::u16string wide = ToUtf16(target);
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

void StringData(Writer& out, const std::string& text) {
    std::u16string wide = ToUtf16(text);
    out.U16(static_cast<std::uint16_t>(wide.size()));
    for (char16_t c : wide)
        out.U16(c);
}

std::string ReadStringData(Reader& in, bool unicode) {
    std::uint16_t count = in.U16();
    if (!unicode) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>(in.U8());
        return text;
    }
    std::u16string wide;
    for (int i = 0; i < count; ++i)
        wide.push_back(static_cast<char16_t>(in.U16()));
    return ToUtf8(wide);
}

std::string ReadZeroTerminated(Reader& in, std::size_t at) {
    in.Seek(at);
    std::string text;
    for (std::uint8_t c = in.U8(); c != 0 && !in.Failed(); c = in.U8()) {
        text += static_cast<char>(c);
    }
    return text;
}

std::string ReadZeroTerminatedWide(Reader& in, std::size_t at) {
    in.Seek(at);
    std::u16string text;
    for (std::uint16_t c = in.U16(); c != 0 && !in.Failed(); c = in.U16()) {
        text.push_back(static_cast<char16_t>(c));
    }
    return ToUtf8(text);
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
