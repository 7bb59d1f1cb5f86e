#include "platform/win32/IconImage.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace win32 {

namespace {

// The bytes of a resource, or none.
struct ResourceBytes {
    const unsigned char* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindBytes(HINSTANCE instance, int id, LPCWSTR type) {
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = found != nullptr ? ::LoadResource(instance, found) : nullptr;
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(data), ::SizeofResource(instance, found)};
}

template <typename T>
T Read(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof(value));
    return value;
}

// The group's directory: a 6-byte header whose third word is the count,
// then one 14-byte entry per image: width (0 for 256), height, colours,
// reserved, planes, bits per pixel, bytes, and the image's resource number.
constexpr DWORD kHeaderBytes = 6;
constexpr DWORD kEntryBytes = 14;

struct GroupEntry {
    int width = 0;
    int bitsPerPixel = 0;
    int id = 0;
};

GroupEntry EntryAt(const unsigned char* entry) {
    const int width = entry[0] != 0 ? entry[0] : 256;
    return {width, Read<std::uint16_t>(entry + 6), Read<std::uint16_t>(entry + 12)};
}

// The 32-bit image for `size`: that size, else the smallest larger, else
// the largest; id 0 when the group has no 32-bit image.
int ChooseImage(const ResourceBytes& group, int size) {
    if (group.size < kHeaderBytes) {
        return 0;
    }
    const DWORD count = Read<std::uint16_t>(group.data + 4);
    GroupEntry best;
    for (DWORD i = 0; i < count && kHeaderBytes + (i + 1) * kEntryBytes <= group.size; ++i) {
        const GroupEntry entry = EntryAt(group.data + kHeaderBytes + i * kEntryBytes);
        if (entry.bitsPerPixel != 32) {
            continue;
        }
        const bool fits = entry.width >= size;
        const bool bestFits = best.width >= size;
        if (best.id == 0 || (fits && (!bestFits || entry.width < best.width)) ||
            (!fits && !bestFits && entry.width > best.width)) {
            best = entry;
        }
    }
    return best.id;
}

// Colours premultiplied by their alpha, as the blend takes them. (The
// program's icons all carry an alpha channel: the mask that follows the
// colours is not needed.)
void Premultiply(const unsigned char* colours, int size, unsigned char* out) {
    const std::size_t bytes = static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
    for (std::size_t i = 0; i < bytes; i += 4) {
        const unsigned alpha = colours[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            out[i + c] = static_cast<unsigned char>(colours[i + c] * alpha / 255);
        }
        out[i + 3] = static_cast<unsigned char>(alpha);
    }
}

}  // namespace

IconImage LoadIconImage(HINSTANCE instance, int id, int size) {
    const int imageId = ChooseImage(FindBytes(instance, id, RT_GROUP_ICON), size);
    const ResourceBytes image =
        imageId != 0 ? FindBytes(instance, imageId, RT_ICON) : ResourceBytes{};
    if (image.size < sizeof(BITMAPINFOHEADER)) {
        return {};
    }
    const auto header = Read<BITMAPINFOHEADER>(image.data);
    const int width = header.biWidth;
    // The height counts the colours and the mask that follows them.
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > image.size || width <= 0 ||
        width > 256 || header.biHeight != 2 * width || header.biBitCount != 32 ||
        header.biCompression != BI_RGB) {
        return {};
    }
    if (image.size - header.biSize < static_cast<DWORD>(width * width * 4)) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = width;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) {
        return {};
    }
    Premultiply(image.data + header.biSize, width, static_cast<unsigned char*>(bits));
    return {std::move(bitmap), width};
}

void DrawIconImage(HDC dc, HDC scratch, const IconImage& image, int left, int top, int size) {
    if (!image.bitmap || scratch == nullptr) {
        return;
    }
    const SelectionScope selected(scratch, image.bitmap.Get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, left, top, size, size, scratch, 0, 0, image.size, image.size, blend);
}

}  // namespace win32
