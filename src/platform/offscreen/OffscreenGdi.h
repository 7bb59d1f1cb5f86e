// Device contexts as pixel bitmaps, so that drawing can be checked pixel by
// pixel, settable system colours, and the shapes windows are given.
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

// Whether a window shape covers the pixel (x, y): its centre lies inside
// the disc's ellipse, or the pixel lies inside a bar.
bool ShapeCovers(const platform::WindowShape& shape, int x, int y);

// Where the offscreen windows keep their shapes, found by window handle.
class WindowShapes {
public:
    virtual ~WindowShapes() = default;
    // The shape slot of a window, or null for an unknown handle.
    virtual std::optional<platform::WindowShape>* ShapeOf(platform::WindowHandle window) = 0;
};

class OffscreenGdi : public platform::Gdi {
public:
    explicit OffscreenGdi(WindowShapes& windows);

    // Device contexts of bitmaps that surfaces own.
    platform::DeviceContext Attach(Bitmap& bitmap);
    void Detach(platform::DeviceContext dc);

    void SetSysColor(int index, platform::Rgb color);
    // Whether windows have images, with their pictures and frames, at their
    // size (on unless set): a caller that never reads them saves drawing them
    // pixel by pixel. Shapes, lines and surfaces are kept all the same.
    void SetPainting(bool painting) { painting_ = painting; }
    bool Painting() const { return painting_; }

    platform::Rgb SysColor(int index) const override;
    bool TranslateColor(platform::OleColor color, platform::Rgb* rgb) const override;
    void MoveTo(platform::DeviceContext dc, int x, int y) override;
    void LineTo(platform::DeviceContext dc, int x, int y) override;
    void SetPen(platform::DeviceContext dc, platform::Rgb color) override;
    void Clear(platform::DeviceContext dc, platform::Rgb color) override;

    // A window records the shape it is given.
    bool SetWindowShape(platform::WindowHandle window, const platform::WindowShape& shape) override;
    void RemoveWindowShape(platform::WindowHandle window) override;
    void FrameWindowShape(platform::WindowHandle window, platform::DeviceContext dc,
                          platform::Rgb color, int width, int height) override;

    // Device contexts attached: one for each window and drawing surface alive.
    std::size_t DeviceContexts() const { return dcs_.size(); }

protected:
    void DoSetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) override;
    void DoSetDrawMode(platform::DeviceContext dc, int mode) override;

private:
    struct DcState {
        Bitmap* bitmap = nullptr;
        int penX = 0, penY = 0;
        platform::Rgb pen = 0;
        int drawMode = 13;
    };
    DcState& State(platform::DeviceContext dc);
    void Plot(DcState& state, int x, int y);

    WindowShapes& windows_;
    std::map<platform::DeviceContext, DcState> dcs_;
    platform::DeviceContext nextDc_ = 0x1000;
    std::array<platform::Rgb, 31> sysColors_{};
    bool painting_ = true;
};

}  // namespace offscreen
