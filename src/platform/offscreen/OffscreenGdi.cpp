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

OffscreenGdi::OffscreenGdi(WindowRegions& windows)
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

void OffscreenGdi::DoSetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) {
    DcState& state = State(dc);
    state.fillStyle = fillStyle;
    state.brush = color;
}

void OffscreenGdi::DoSetRop2(platform::DeviceContext dc, int mode) {
    State(dc).rop2 = mode;
}

void OffscreenGdi::Clear(platform::DeviceContext dc, platform::Rgb color) {
    State(dc).bitmap->Fill(color);
}

}  // namespace offscreen

namespace offscreen {

Mask::Mask(int left, int top, int right, int bottom)
    : left_(left),
      top_(top),
      right_(std::max(left, right)),
      bottom_(std::max(top, bottom)),
      bits_(static_cast<std::size_t>((right_ - left_) * (bottom_ - top_)), 0) {}

void Mask::Set(int x, int y, bool inside) {
    bits_[static_cast<std::size_t>((y - top_) * (right_ - left_) + (x - left_))] = inside ? 1 : 0;
}

bool Mask::Contains(int x, int y) const {
    if (x < left_ || x >= right_ || y < top_ || y >= bottom_)
        return false;
    return bits_[static_cast<std::size_t>((y - top_) * (right_ - left_) + (x - left_))] != 0;
}

bool Mask::Empty() const {
    return std::find(bits_.begin(), bits_.end(), 1) == bits_.end();
}

int Mask::Kind() const {
    if (Empty())
        return platform::rgn::kNullRegion;
    bool full = std::find(bits_.begin(), bits_.end(), 0) == bits_.end();
    return full ? platform::rgn::kSimpleRegion : platform::rgn::kComplexRegion;
}

Mask Mask::Rectangle(int left, int top, int right, int bottom) {
    Mask mask(left, top, right, bottom);
    std::fill(mask.bits_.begin(), mask.bits_.end(), 1);
    return mask;
}

Mask Mask::Ellipse(int left, int top, int right, int bottom) {
    Mask mask(left, top, right, bottom);
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    for (int y = mask.top_; y < mask.bottom_; ++y) {
        for (int x = mask.left_; x < mask.right_; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            mask.Set(x, y, dx * dx + dy * dy <= 1.0);
        }
    }
    return mask;
}

Mask Mask::Combine(const Mask& a, const Mask& b, int mode) {
    if (mode == platform::rgn::kCopy)
        return a;
    Mask mask(std::min(a.left_, b.left_), std::min(a.top_, b.top_), std::max(a.right_, b.right_),
              std::max(a.bottom_, b.bottom_));
    for (int y = mask.top_; y < mask.bottom_; ++y) {
        for (int x = mask.left_; x < mask.right_; ++x) {
            bool inA = a.Contains(x, y), inB = b.Contains(x, y);
            bool inside = mode == platform::rgn::kAnd   ? inA && inB
                          : mode == platform::rgn::kOr  ? inA || inB
                          : mode == platform::rgn::kXor ? inA != inB
                                                        : inA && !inB;
            mask.Set(x, y, inside);
        }
    }
    return mask;
}

Mask* OffscreenGdi::FindRegion(platform::GdiObject region) {
    auto found = regions_.find(region);
    return found == regions_.end() ? nullptr : &found->second;
}

platform::GdiObject OffscreenGdi::CreateEllipticRgn(int left, int top, int right, int bottom) {
    platform::GdiObject handle = nextObject_++;
    regions_.emplace(handle, Mask::Ellipse(left, top, right, bottom));
    return handle;
}

platform::GdiObject OffscreenGdi::CreateRectRgn(int left, int top, int right, int bottom) {
    platform::GdiObject handle = nextObject_++;
    regions_.emplace(handle, Mask::Rectangle(left, top, right, bottom));
    return handle;
}

int OffscreenGdi::CombineRgn(platform::GdiObject dest, platform::GdiObject src1,
                             platform::GdiObject src2, int mode) {
    Mask* target = FindRegion(dest);
    Mask* a = FindRegion(src1);
    Mask* b = mode == platform::rgn::kCopy ? a : FindRegion(src2);
    if (target == nullptr || a == nullptr || b == nullptr || mode < platform::rgn::kAnd ||
        mode > platform::rgn::kCopy) {
        return platform::rgn::kError;
    }
    *target = Mask::Combine(*a, *b, mode);
    return target->Kind();
}

int OffscreenGdi::SetWindowRgn(platform::WindowHandle window, platform::GdiObject region,
                               bool /*redraw*/) {
    std::optional<Mask>* slot = windows_.RegionOf(window);
    if (slot == nullptr || refuseWindowRegions_)
        return 0;
    if (region == 0) {
        slot->reset();
        return 1;
    }
    auto found = regions_.find(region);
    if (found == regions_.end())
        return 0;
    // The window takes the region over: the handle is no longer the caller's.
    *slot = std::move(found->second);
    regions_.erase(found);
    return 1;
}

int OffscreenGdi::GetWindowRgn(platform::WindowHandle window, platform::GdiObject region) {
    std::optional<Mask>* slot = windows_.RegionOf(window);
    Mask* target = FindRegion(region);
    if (slot == nullptr || !slot->has_value() || target == nullptr)
        return platform::rgn::kError;
    *target = **slot;
    return target->Kind();
}

platform::GdiObject OffscreenGdi::CreateSolidBrush(platform::Rgb color) {
    platform::GdiObject handle = nextObject_++;
    brushes_.emplace(handle, color);
    return handle;
}

bool OffscreenGdi::FrameRgn(platform::DeviceContext dc, platform::GdiObject region,
                            platform::GdiObject brush, int width, int height) {
    Mask* mask = FindRegion(region);
    auto colour = brushes_.find(brush);
    if (mask == nullptr || colour == brushes_.end())
        return false;
    if (!painting_)
        return true;
    Bitmap& bitmap = *State(dc).bitmap;
    // A pixel of the region is on the frame when a pixel outside the region
    // lies within `width` of it horizontally or `height` vertically.
    auto nearEdge = [mask, width, height](int x, int y) {
        for (int d = 1; d <= width; ++d) {
            if (!mask->Contains(x - d, y) || !mask->Contains(x + d, y))
                return true;
        }
        for (int d = 1; d <= height; ++d) {
            if (!mask->Contains(x, y - d) || !mask->Contains(x, y + d))
                return true;
        }
        return false;
    };
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (mask->Contains(x, y) && nearEdge(x, y))
                bitmap.SetPixel(x, y, colour->second);
        }
    }
    return true;
}

bool OffscreenGdi::DeleteObject(platform::GdiObject object) {
    return regions_.erase(object) + brushes_.erase(object) > 0;
}

}  // namespace offscreen
