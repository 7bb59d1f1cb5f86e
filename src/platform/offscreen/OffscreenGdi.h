// Device contexts as pixel bitmaps, so that drawing can be checked pixel by
// pixel, and settable system colours.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <vector>

#include "platform/Services.h"

namespace offscreen {

class Bitmap {
public:
    Bitmap(int width, int height, platform::Rgb fill);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    platform::Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, platform::Rgb color);
    void Fill(platform::Rgb color);
    // Changes the size, keeping the pixels that stay inside.
    void Resize(int width, int height, platform::Rgb fill);

private:
    int width_;
    int height_;
    std::vector<platform::Rgb> pixels_;
};

// A region: a set of pixels, kept as a mask over its bounding box.
class Mask {
public:
    static Mask Rectangle(int left, int top, int right, int bottom);
    // The pixels whose centres lie inside the ellipse inscribed in the box.
    static Mask Ellipse(int left, int top, int right, int bottom);
    // a (mode) b, with the CombineRgn modes.
    static Mask Combine(const Mask& a, const Mask& b, int mode);

    bool Contains(int x, int y) const;
    bool Empty() const;
    // A rgn:: kind: null, simple (a rectangle) or complex.
    int Kind() const;

private:
    Mask(int left, int top, int right, int bottom);
    void Set(int x, int y, bool inside);

    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    std::vector<char> bits_;
};

// Where the offscreen windows keep their regions, found by window handle.
class WindowRegions {
public:
    virtual ~WindowRegions() = default;
    // The region slot of a window, or null for an unknown handle.
    virtual std::optional<Mask>* RegionOf(platform::WindowHandle window) = 0;
};

class OffscreenGdi : public platform::Gdi {
public:
    explicit OffscreenGdi(WindowRegions& windows);

    // Device contexts of bitmaps that surfaces own.
    platform::DeviceContext Attach(Bitmap& bitmap);
    void Detach(platform::DeviceContext dc);

    void SetSysColor(int index, platform::Rgb color);
    // Makes SetWindowRgn fail, as it may on a system short of resources.
    void SetRefuseWindowRegions(bool refuse) { refuseWindowRegions_ = refuse; }
    // Whether the pictures and frames of windows reach their pixels (on
    // unless set): a caller that never reads them saves drawing them pixel
    // by pixel. Regions, lines and surfaces are drawn all the same.
    void SetPainting(bool painting) { painting_ = painting; }
    bool Painting() const { return painting_; }

    platform::Rgb SysColor(int index) const override;
    bool TranslateColor(platform::OleColor color, platform::Rgb* rgb) const override;
    void MoveTo(platform::DeviceContext dc, int x, int y) override;
    void LineTo(platform::DeviceContext dc, int x, int y) override;
    void SetPen(platform::DeviceContext dc, platform::Rgb color) override;
    void Clear(platform::DeviceContext dc, platform::Rgb color) override;

    platform::GdiObject CreateEllipticRgn(int left, int top, int right, int bottom) override;
    platform::GdiObject CreateRectRgn(int left, int top, int right, int bottom) override;
    int CombineRgn(platform::GdiObject dest, platform::GdiObject src1, platform::GdiObject src2,
                   int mode) override;
    int SetWindowRgn(platform::WindowHandle window, platform::GdiObject region,
                     bool redraw) override;
    int GetWindowRgn(platform::WindowHandle window, platform::GdiObject region) override;
    platform::GdiObject CreateSolidBrush(platform::Rgb color) override;
    bool FrameRgn(platform::DeviceContext dc, platform::GdiObject region, platform::GdiObject brush,
                  int width, int height) override;
    bool DeleteObject(platform::GdiObject object) override;

    // GDI objects not deleted yet: none should stay behind.
    std::size_t LiveObjects() const { return regions_.size() + brushes_.size(); }
    // Device contexts attached: one for each window and drawing surface alive.
    std::size_t DeviceContexts() const { return dcs_.size(); }

protected:
    void DoSetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) override;
    void DoSetRop2(platform::DeviceContext dc, int mode) override;

private:
    struct DcState {
        Bitmap* bitmap = nullptr;
        int penX = 0, penY = 0;
        platform::Rgb pen = 0;
        int rop2 = 13;
        int fillStyle = 0;
        platform::Rgb brush = 0;
    };
    DcState& State(platform::DeviceContext dc);
    void Plot(DcState& state, int x, int y);

    Mask* FindRegion(platform::GdiObject region);

    WindowRegions& windows_;
    std::map<platform::DeviceContext, DcState> dcs_;
    std::map<platform::GdiObject, Mask> regions_;
    std::map<platform::GdiObject, platform::Rgb> brushes_;
    platform::DeviceContext nextDc_ = 0x1000;
    platform::GdiObject nextObject_ = 0x2000;
    std::array<platform::Rgb, 31> sysColors_{};
    bool refuseWindowRegions_ = false;
    bool painting_ = true;
};

}  // namespace offscreen
