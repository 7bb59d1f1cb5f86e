// A window's persistent image: the back colour, the design's picture at the
// window's scale, then what the program drew. The window shows it whenever it
// repaints, and labels and image buttons paint it under their content.
#pragma once

#include <memory>

#include "platform/Dpi.h"
#include "platform/Types.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Runtime.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Gdi.h"

namespace win32 {

class BackingImage {
public:
    using Picture = const platform::Image& (*)(platform::Dpi dpi);

    // `picture` may be null; the image it gives must outlive the window.
    BackingImage(Runtime& runtime, platform::OleColor backColor, Picture picture)
        : runtime_(runtime), backColor_(backColor), picture_(picture) {}

    bool Made() const { return image_ != nullptr; }
    bool HasSize(int width, int height) const {
        return image_ && image_->Width() == width && image_->Height() == height;
    }
    HDC Dc() const { return image_->Dc(); }
    // Makes the image anew for a client size and scale: the back colour,
    // then the picture. What was drawn into the old image is gone.
    void Compose(HWND window, platform::Dpi dpi, int width, int height);
    // Paints `area` (client coordinates) of the image into `dc`.
    void Paint(HDC dc, const RECT& area) const;
    // The window is gone: nothing shows the image any more.
    void Detach() const;
    platform::Rgb BackColor() const;

private:
    Runtime& runtime_;
    const platform::OleColor backColor_;
    const Picture picture_;
    std::unique_ptr<DrawingDc> image_;
};

}  // namespace win32
