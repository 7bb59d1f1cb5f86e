// GDI drawing for the program: colours, and device contexts over persistent
// images whose pen and brush the platform owns.
#pragma once

#include "platform/Services.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"

namespace win32 {

// A memory device context over a bitmap: a persistent image that the program
// draws into through the Gdi service. It owns the pen and the brush selected
// into it.
class DrawingDc {
public:
    DrawingDc(Runtime& runtime, int width, int height, platform::Rgb background);
    ~DrawingDc();
    DrawingDc(const DrawingDc&) = delete;
    DrawingDc& operator=(const DrawingDc&) = delete;

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // A new size; the image keeps its content, new parts take `background`.
    void Resize(int width, int height, platform::Rgb background);
    void SetPen(platform::Rgb color);
    void SetBrush(int fillStyle, platform::Rgb color);

    // The window that shows the image (itself and its children), or null.
    void ShowIn(HWND window) { shownIn_ = window; }
    // The image was drawn into: the window that shows it repaints.
    void Changed() const;

private:
    Runtime& runtime_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    UniquePen pen_;
    UniqueBrush brush_;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    HWND shownIn_ = nullptr;
};

// Fills a rectangle with one colour.
void FillSolid(HDC dc, const RECT& area, platform::Rgb color);
// Draws a picture at the top-left corner of `dc`, `background` where it is
// transparent.
void DrawPicture(HDC dc, const platform::Image& picture, platform::Rgb background);

class Win32Gdi final : public platform::Gdi {
public:
    explicit Win32Gdi(Runtime& runtime) : runtime_(runtime) {}

    platform::Rgb SysColor(int index) const override;
    bool TranslateColor(platform::OleColor color, platform::Rgb* rgb) const override;
    void MoveTo(platform::DeviceContext dc, int x, int y) override;
    void LineTo(platform::DeviceContext dc, int x, int y) override;
    void SetPen(platform::DeviceContext dc, platform::Rgb color) override;
    void Clear(platform::DeviceContext dc, platform::Rgb color) override;

    // The outline's region: the disc's ellipse joined (RGN_OR) with each
    // bar's rectangle, given to the window with SetWindowRgn.
    bool SetWindowShape(platform::WindowHandle window, const platform::WindowShape& shape) override;
    void RemoveWindowShape(platform::WindowHandle window) override;
    // FrameRgn along a copy of the window's region (GetWindowRgn).
    void FrameWindowShape(platform::WindowHandle window, platform::DeviceContext dc,
                          platform::Rgb color, int width, int height) override;

protected:
    void DoSetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) override;
    void DoSetDrawMode(platform::DeviceContext dc, int mode) override;

private:
    DrawingDc& Drawing(platform::DeviceContext dc) const;
    // Drawing into a persistent image shows on screen.
    void Drawn(platform::DeviceContext dc) const;

    Runtime& runtime_;
};

}  // namespace win32
