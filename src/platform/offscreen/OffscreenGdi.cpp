#include "platform/offscreen/OffscreenGdi.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace offscreen {
namespace {

// The colours of a classic Windows scheme, by system-colour index.
constexpr std::array<platform::Rgb, 31> kDefaultSysColors = {
    platform::MakeRgb(212, 208, 200), platform::MakeRgb(58, 110, 165),
    platform::MakeRgb(10, 36, 106),   platform::MakeRgb(128, 128, 128),
    platform::MakeRgb(212, 208, 200), platform::MakeRgb(255, 255, 255),
    platform::MakeRgb(0, 0, 0),       platform::MakeRgb(0, 0, 0),
    platform::MakeRgb(0, 0, 0),       platform::MakeRgb(255, 255, 255),
    platform::MakeRgb(212, 208, 200), platform::MakeRgb(212, 208, 200),
    platform::MakeRgb(128, 128, 128), platform::MakeRgb(10, 36, 106),
    platform::MakeRgb(255, 255, 255), platform::MakeRgb(212, 208, 200),
    platform::MakeRgb(128, 128, 128), platform::MakeRgb(128, 128, 128),
    platform::MakeRgb(0, 0, 0),       platform::MakeRgb(212, 208, 200),
    platform::MakeRgb(255, 255, 255), platform::MakeRgb(64, 64, 64),
    platform::MakeRgb(212, 208, 200), platform::MakeRgb(0, 0, 0),
    platform::MakeRgb(255, 255, 225), platform::MakeRgb(181, 181, 181),
    platform::MakeRgb(0, 0, 128),     platform::MakeRgb(166, 202, 240),
    platform::MakeRgb(192, 192, 192), platform::MakeRgb(49, 106, 197),
    platform::MakeRgb(236, 233, 216),
};

// A binary raster operation on each bit of pen and destination: bit
// (2 * pen + dest) of (mode - 1) is the result, as the ROP2 codes are built.
platform::Rgb ApplyRop2(int mode, platform::Rgb pen, platform::Rgb dest) {
    unsigned table = static_cast<unsigned>(mode - 1) & 0xF;
    platform::Rgb result = 0;
    for (int bit = 0; bit < 24; ++bit) {
        unsigned p = (pen >> bit) & 1u;
        unsigned d = (dest >> bit) & 1u;
        result |= ((table >> (2 * p + d)) & 1u) << bit;
    }
    return result;
}

}  // namespace

Bitmap::Bitmap(int width, int height, platform::Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), fill) {}

platform::Rgb Bitmap::Pixel(int x, int y) const {
    return Contains(x, y) ? pixels_[static_cast<std::size_t>(y * width_ + x)] : 0;
}

void Bitmap::SetPixel(int x, int y, platform::Rgb color) {
    if (Contains(x, y))
        pixels_[static_cast<std::size_t>(y * width_ + x)] = color;
}

void Bitmap::Fill(platform::Rgb color) {
    pixels_.assign(pixels_.size(), color);
}

void Bitmap::Resize(int width, int height, platform::Rgb fill) {
    Bitmap resized(width, height, fill);
    for (int y = 0; y < std::min(height, height_); ++y) {
        for (int x = 0; x < std::min(width, width_); ++x)
            resized.SetPixel(x, y, Pixel(x, y));
    }
    *this = std::move(resized);
}

OffscreenGdi::OffscreenGdi() : sysColors_(kDefaultSysColors) {}

platform::DeviceContext OffscreenGdi::Attach(Bitmap& bitmap) {
    platform::DeviceContext dc = nextDc_++;
    dcs_[dc].bitmap = &bitmap;
    return dc;
}

void OffscreenGdi::Detach(platform::DeviceContext dc) {
    dcs_.erase(dc);
}

void OffscreenGdi::SetSysColor(int index, platform::Rgb color) {
    sysColors_.at(index) = color;
}

platform::Rgb OffscreenGdi::SysColor(int index) const {
    return index >= 0 && index < static_cast<int>(sysColors_.size()) ? sysColors_[index] : 0;
}

bool OffscreenGdi::TranslateColor(platform::OleColor color, platform::Rgb* rgb) const {
    if ((color & 0x80000000u) == 0) {
        if (color > 0xFFFFFFu)
            return false;
        *rgb = color;
        return true;
    }
    unsigned index = color & 0xFFu;
    if ((color & 0x7FFFFF00u) != 0 || index >= sysColors_.size())
        return false;
    *rgb = sysColors_[index];
    return true;
}

OffscreenGdi::DcState& OffscreenGdi::State(platform::DeviceContext dc) {
    auto found = dcs_.find(dc);
    if (found == dcs_.end())
        throw platform::RuntimeError("Invalid device context");
    return found->second;
}

void OffscreenGdi::Plot(DcState& state, int x, int y) {
    Bitmap& bitmap = *state.bitmap;
    bitmap.SetPixel(x, y, ApplyRop2(state.rop2, state.pen, bitmap.Pixel(x, y)));
}

void OffscreenGdi::MoveTo(platform::DeviceContext dc, int x, int y) {
    DcState& state = State(dc);
    state.penX = x;
    state.penY = y;
}

void OffscreenGdi::LineTo(platform::DeviceContext dc, int x, int y) {
    DcState& state = State(dc);
    // Bresenham from the pen position, the end point left out.
    int x0 = state.penX, y0 = state.penY;
    const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
    const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
    int error = dx + dy;
    while (x0 != x || y0 != y) {
        Plot(state, x0, y0);
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
    state.penX = x;
    state.penY = y;
}

void OffscreenGdi::SetPen(platform::DeviceContext dc, platform::Rgb color) {
    State(dc).pen = color;
}

void OffscreenGdi::SetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) {
    DcState& state = State(dc);
    state.fillStyle = fillStyle;
    state.brush = color;
}

void OffscreenGdi::SetRop2(platform::DeviceContext dc, int mode) {
    State(dc).rop2 = mode;
}

void OffscreenGdi::Clear(platform::DeviceContext dc, platform::Rgb color) {
    State(dc).bitmap->Fill(color);
}

}  // namespace offscreen
