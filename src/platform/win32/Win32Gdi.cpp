#include "platform/win32/Win32Gdi.h"

#include <algorithm>

namespace win32 {

namespace {

HDC ToHdc(platform::DeviceContext dc) {
    return reinterpret_cast<HDC>(dc);
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
    runtime_.AddDrawingDc(dc_.Get(), this);
}

DrawingDc::~DrawingDc() {
    runtime_.RemoveDrawingDc(dc_.Get());
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
    } else if (fillStyle >= 2 && fillStyle <= 7) {
        brush.Reset(::CreateHatchBrush(kHatches[fillStyle - 2], color));
        selected = brush.Get();
    } else {
        throw platform::RuntimeError("Invalid property value");
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
    return Runtime::TranslateColor(color, rgb);
}

// The lines' results are not examined, as with the GDI calls themselves.
void Win32Gdi::MoveTo(platform::DeviceContext dc, int x, int y) {
    ::MoveToEx(ToHdc(dc), x, y, nullptr);
}

void Win32Gdi::LineTo(platform::DeviceContext dc, int x, int y) {
    ::LineTo(ToHdc(dc), x, y);
}

DrawingDc& Win32Gdi::Drawing(platform::DeviceContext dc) const {
    DrawingDc* drawing = runtime_.FindDrawingDc(ToHdc(dc));
    if (drawing == nullptr) {
        throw platform::RuntimeError("Invalid device context");
    }
    return *drawing;
}

void Win32Gdi::SetPen(platform::DeviceContext dc, platform::Rgb color) {
    Drawing(dc).SetPen(color);
}

void Win32Gdi::SetBrush(platform::DeviceContext dc, int fillStyle, platform::Rgb color) {
    Drawing(dc).SetBrush(fillStyle, color);
}

void Win32Gdi::SetRop2(platform::DeviceContext dc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) {
        throw platform::RuntimeError("Invalid property value");
    }
    if (::SetROP2(ToHdc(dc), mode) == 0) {
        throw platform::RuntimeError("Invalid device context");
    }
}

void Win32Gdi::Clear(platform::DeviceContext dc, platform::Rgb color) {
    if (const DrawingDc* drawing = runtime_.FindDrawingDc(ToHdc(dc))) {
        FillSolid(drawing->Dc(), RECT{0, 0, drawing->Width(), drawing->Height()}, color);
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

}  // namespace win32
