// Device contexts as pixel bitmaps, so that drawing can be checked pixel by
// pixel, and settable system colours.
#pragma once

#include <array>
#include <map>
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

class OffscreenGdi : public platform::Gdi {
  public:
    OffscreenGdi();

    // Device contexts of bitmaps that surfaces own.
    platform::DeviceContext Attach(Bitmap& bitmap);
    void Detach(platform::DeviceContext dc);

    void SetSysColor(int index, platform::Rgb color);

    platform::Rgb SysColor(int index) const override;
    bool TranslateColor(platform::OleColor color, platform::Rgb* rgb) const override;
    void MoveTo(platform::DeviceContext dc, int x, int y) override;
    void LineTo(platform::DeviceContext dc, int x, int y) override;
    void SetPen(platform::DeviceContext dc, platform::Rgb color) override;
    void SetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) override;
    void SetRop2(platform::DeviceContext dc, int mode) override;
    void Clear(platform::DeviceContext dc, platform::Rgb color) override;

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

    std::map<platform::DeviceContext, DcState> dcs_;
    platform::DeviceContext nextDc_ = 0x1000;
    std::array<platform::Rgb, 31> sysColors_{};
};

}  // namespace offscreen
