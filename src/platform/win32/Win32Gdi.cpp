#include "platform/win32/Win32Gdi.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace win32 {

namespace {

HDC ToHdc(platform::DeviceContext dc) {
    return reinterpret_cast<HDC>(dc);
}

HWND ToWindow(platform::WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// 0x00BBGGRR as a 32-bit DIB pixel, 0x00RRGGBB.
std::uint32_t DibPixel(platform::Rgb color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

UniqueBitmap MakeBitmap(int width, int height) {
    ScreenDc screen;
    return UniqueBitmap(
        ::CreateCompatibleBitmap(screen.Get(), std::max(width, 1), std::max(height, 1)));
}

}  // namespace

void FillSolid(HDC dc, const RECT& area, platform::Rgb color) {
    UniqueBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &area, brush.Get());
}

void DrawPicture(HDC dc, const platform::Image& picture, platform::Rgb background) {
    if (picture.width <= 0 || picture.height <= 0) {
        return;
    }
    std::vector<std::uint32_t> pixels;
    pixels.reserve(picture.pixels.size());
    for (std::uint32_t pixel : picture.pixels) {
        pixels.push_back(DibPixel(pixel == platform::Image::kTransparent ? background : pixel));
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down, as the picture's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // One call for the whole picture; the bitmap behind `dc` clips it.
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(picture.width),
                        static_cast<DWORD>(picture.height), 0, 0, 0,
                        static_cast<UINT>(picture.height), pixels.data(), &info, DIB_RGB_COLORS);
}

DrawingDc::DrawingDc(Runtime& runtime, int width, int height, platform::Rgb background)
    : runtime_(runtime), width_(width), height_(height) {
    ScreenDc screen;
    dc_.Reset(::CreateCompatibleDC(screen.Get()));
    bitmap_ = MakeBitmap(width, height);
    pen_.Reset(::CreatePen(PS_SOLID, 1, 0));
    brush_.Reset(::CreateSolidBrush(0));
    if (!dc_ || !bitmap_ || !pen_ || !brush_) {
        throw platform::RuntimeError("Out of memory");
    }
    originalBitmap_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    originalPen_ = ::SelectObject(dc_.Get(), pen_.Get());
    originalBrush_ = ::SelectObject(dc_.Get(), brush_.Get());
    FillSolid(dc_.Get(), RECT{0, 0, std::max(width, 1), std::max(height, 1)}, background);
    runtime_.registry.AddDrawingDc(dc_.Get(), this);
}

DrawingDc::~DrawingDc() {
    runtime_.registry.RemoveDrawingDc(dc_.Get());
    // Nothing of ours may stay selected when it is deleted.
    ::SelectObject(dc_.Get(), originalBrush_);
    ::SelectObject(dc_.Get(), originalPen_);
    ::SelectObject(dc_.Get(), originalBitmap_);
}

void DrawingDc::Resize(int width, int height, platform::Rgb background) {
    if (width == width_ && height == height_) {
        return;
    }
    UniqueBitmap bitmap = MakeBitmap(width, height);
    UniqueMemoryDc copy(::CreateCompatibleDC(dc_.Get()));
    if (!bitmap || !copy) {
        throw platform::RuntimeError("Out of memory");
    }
    {
        SelectionScope selected(copy.Get(), bitmap.Get());
        FillSolid(copy.Get(), RECT{0, 0, std::max(width, 1), std::max(height, 1)}, background);
        ::BitBlt(copy.Get(), 0, 0, std::min(width, width_), std::min(height, height_), dc_.Get(), 0,
                 0, SRCCOPY);
    }
    ::SelectObject(dc_.Get(), bitmap.Get());
    bitmap_ = std::move(bitmap);
    width_ = width;
    height_ = height;
}

void DrawingDc::Changed() const {
    if (shownIn_ != nullptr) {
        // Children too: labels and image buttons show the image under them.
        ::RedrawWindow(shownIn_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void DrawingDc::SetPen(platform::Rgb color) {
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    if (!pen) {
        throw platform::RuntimeError("Out of memory");
    }
    ::SelectObject(dc_.Get(), pen.Get());
    pen_ = std::move(pen);  // the previous pen, now deselected, goes
}

void DrawingDc::SetBrush(int fillStyle, platform::Rgb color) {
    // Fill styles 2 to 7: horizontal, vertical, upward diagonal, downward
    // diagonal, cross, diagonal cross.
    static constexpr int kHatches[] = {HS_HORIZONTAL, HS_VERTICAL, HS_BDIAGONAL,
                                       HS_FDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
    HGDIOBJ selected = nullptr;
    UniqueBrush brush;
    if (fillStyle == 0) {
        brush.Reset(::CreateSolidBrush(color));
        selected = brush.Get();
    } else if (fillStyle == 1) {
        selected = ::GetStockObject(HOLLOW_BRUSH);
    } else {
        brush.Reset(::CreateHatchBrush(kHatches[fillStyle - 2], color));
        selected = brush.Get();
    }
    if (selected == nullptr) {
        throw platform::RuntimeError("Out of memory");
    }
    ::SelectObject(dc_.Get(), selected);
    brush_ = std::move(brush);  // empty for the stock hollow brush
}

platform::Rgb Win32Gdi::SysColor(int index) const {
    return ::GetSysColor(index);
}

bool Win32Gdi::TranslateColor(platform::OleColor color, platform::Rgb* rgb) const {
    return win32::TranslateColor(color, rgb);
}

// The lines' results are not examined, as with the GDI calls themselves.
void Win32Gdi::MoveTo(platform::DeviceContext dc, int x, int y) {
    ::MoveToEx(ToHdc(dc), x, y, nullptr);
}

void Win32Gdi::LineTo(platform::DeviceContext dc, int x, int y) {
    ::LineTo(ToHdc(dc), x, y);
    Drawn(dc);
}

void Win32Gdi::Drawn(platform::DeviceContext dc) const {
    if (const DrawingDc* drawing = runtime_.registry.FindDrawingDc(ToHdc(dc))) {
        drawing->Changed();
    }
}

DrawingDc& Win32Gdi::Drawing(platform::DeviceContext dc) const {
    DrawingDc* drawing = runtime_.registry.FindDrawingDc(ToHdc(dc));
    if (drawing == nullptr) {
        throw platform::RuntimeError("Invalid device context");
    }
    return *drawing;
}

void Win32Gdi::SetPen(platform::DeviceContext dc, platform::Rgb color) {
    Drawing(dc).SetPen(color);
}

void Win32Gdi::DoSetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) {
    Drawing(dc).SetBrush(fillStyle, color);
}

void Win32Gdi::DoSetDrawMode(platform::DeviceContext dc, int mode) {
    if (::SetROP2(ToHdc(dc), mode) == 0) {
        throw platform::RuntimeError("Invalid device context");
    }
}

void Win32Gdi::Clear(platform::DeviceContext dc, platform::Rgb color) {
    if (const DrawingDc* drawing = runtime_.registry.FindDrawingDc(ToHdc(dc))) {
        FillSolid(drawing->Dc(), RECT{0, 0, drawing->Width(), drawing->Height()}, color);
        drawing->Changed();
        return;
    }
    // Another memory device context: the bitmap selected into it.
    BITMAP bitmap{};
    HGDIOBJ selected = ::GetCurrentObject(ToHdc(dc), OBJ_BITMAP);
    if (selected == nullptr || ::GetObjectW(selected, sizeof(bitmap), &bitmap) == 0) {
        throw platform::RuntimeError("Invalid device context");
    }
    FillSolid(ToHdc(dc), RECT{0, 0, bitmap.bmWidth, bitmap.bmHeight}, color);
}

// The outline and its frame: the results of the region and painting calls
// are not examined, except whether the window took its region.

bool Win32Gdi::SetWindowShape(platform::WindowHandle window, const platform::WindowShape& shape) {
    const platform::WindowShape::Rect& disc = shape.disc;
    UniqueRegion region(::CreateEllipticRgn(disc.left, disc.top, disc.right, disc.bottom));
    for (const platform::WindowShape::Rect& bar : shape.bars) {
        UniqueRegion barRegion(::CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom));
        ::CombineRgn(region.Get(), region.Get(), barRegion.Get(), RGN_OR);
    }
    if (::SetWindowRgn(ToWindow(window), region.Get(), TRUE) == 0) {
        return false;  // still ours: deleted on the way out
    }
    region.Release();  // the system's from now on
    return true;
}

void Win32Gdi::RemoveWindowShape(platform::WindowHandle window) {
    ::SetWindowRgn(ToWindow(window), nullptr, FALSE);
}

void Win32Gdi::FrameWindowShape(platform::WindowHandle window, platform::DeviceContext dc,
                                platform::Rgb color, int width, int height) {
    // Without a region to copy the copy stays empty, and so does the frame.
    UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    UniqueBrush brush(::CreateSolidBrush(color));
    ::GetWindowRgn(ToWindow(window), region.Get());
    if (::FrameRgn(ToHdc(dc), region.Get(), brush.Get(), width, height) != FALSE) {
        Drawn(dc);
    }
}

}  // namespace win32
