#include "platform/offscreen/OffscreenGdi.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

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

// The pen under a draw mode, bit by bit with what it draws over: bit
// (2 * pen + dest) of (mode - 1) is the result, so 13 is the pen itself.
platform::Rgb ApplyDrawMode(int mode, platform::Rgb pen, platform::Rgb dest) {
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

OffscreenGdi::OffscreenGdi(WindowShapes& windows)
    : windows_(windows), sysColors_(kDefaultSysColors) {}

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
    if (!platform::IsValidOleColor(color))
        return false;
    *rgb = platform::IsSystemColor(color) ? SysColor(platform::SystemColorIndex(color)) : color;
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
    bitmap.SetPixel(x, y, ApplyDrawMode(state.drawMode, state.pen, bitmap.Pixel(x, y)));
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

// Nothing is filled offscreen: the brush only needs a surface to go to.
void OffscreenGdi::DoSetBrush(platform::DeviceContext dc, int, platform::Rgb) {
    State(dc);
}

void OffscreenGdi::DoSetDrawMode(platform::DeviceContext dc, int mode) {
    State(dc).drawMode = mode;
}

void OffscreenGdi::Clear(platform::DeviceContext dc, platform::Rgb color) {
    State(dc).bitmap->Fill(color);
}

bool ShapeCovers(const platform::WindowShape& shape, int x, int y) {
    const platform::WindowShape::Rect& disc = shape.disc;
    const double dx = (x + 0.5 - (disc.left + disc.right) / 2.0) / ((disc.right - disc.left) / 2.0);
    const double dy = (y + 0.5 - (disc.top + disc.bottom) / 2.0) / ((disc.bottom - disc.top) / 2.0);
    return dx * dx + dy * dy <= 1.0 ||
           std::any_of(shape.bars.begin(), shape.bars.end(), [x, y](const auto& bar) {
               return x >= bar.left && x < bar.right && y >= bar.top && y < bar.bottom;
           });
}

bool OffscreenGdi::SetWindowShape(platform::WindowHandle window,
                                  const platform::WindowShape& shape) {
    std::optional<platform::WindowShape>* slot = windows_.ShapeOf(window);
    if (slot == nullptr)
        return false;
    *slot = shape;
    return true;
}

void OffscreenGdi::RemoveWindowShape(platform::WindowHandle window) {
    if (std::optional<platform::WindowShape>* slot = windows_.ShapeOf(window))
        slot->reset();
}

void OffscreenGdi::FrameWindowShape(platform::WindowHandle window, platform::DeviceContext dc,
                                    platform::Rgb color, int width, int height) {
    if (!painting_)
        return;
    Bitmap& bitmap = *State(dc).bitmap;
    std::optional<platform::WindowShape>* slot = windows_.ShapeOf(window);
    if (slot == nullptr || !slot->has_value())
        return;
    const platform::WindowShape& shape = **slot;
    // A pixel of the shape is on the frame when a pixel outside the shape
    // lies within `width` of it horizontally or `height` vertically: within
    // that of an end of its run of covered pixels along the row or the
    // column. Which pixels the shape covers is worked out once, margins
    // included.
    const int columns = bitmap.Width() + 2 * width, rows = bitmap.Height() + 2 * height;
    std::vector<unsigned char> covered(static_cast<std::size_t>(columns) *
                                       static_cast<std::size_t>(rows));
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x)
            covered[static_cast<std::size_t>(y * columns + x)] =
                ShapeCovers(shape, x - width, y - height);
    }
    // Marks the pixels of `count` cells from `first`, `step` apart, that lie
    // within `reach` of an end of their run; `at(i)` is the pixel of cell i.
    const auto markRuns = [&](std::size_t first, int step, int count, int reach, auto at) {
        for (int i = 0; i < count;) {
            if (covered[first + static_cast<std::size_t>(i * step)] == 0) {
                ++i;
                continue;
            }
            const int start = i;
            while (i < count && covered[first + static_cast<std::size_t>(i * step)] != 0)
                ++i;
            for (int k = start; k < i; ++k) {
                if ((start > 0 && k - start < reach) || (i < count && i - k <= reach))
                    at(k);
            }
        }
    };
    for (int y = 0; y < bitmap.Height(); ++y) {
        markRuns(static_cast<std::size_t>((y + height) * columns), 1, columns, width, [&](int x) {
            if (x >= width && x < width + bitmap.Width())
                bitmap.SetPixel(x - width, y, color);
        });
    }
    for (int x = 0; x < bitmap.Width(); ++x) {
        markRuns(static_cast<std::size_t>(x + width), columns, rows, height, [&](int y) {
            if (y >= height && y < height + bitmap.Height())
                bitmap.SetPixel(x, y - height, color);
        });
    }
}

}  // namespace offscreen
