#include "platform/win32/BackingImage.h"

namespace win32 {

void BackingImage::Compose(HWND window, platform::Dpi dpi, int width, int height) {
    const platform::Rgb back = BackColor();
    if (!image_) {
        image_ = std::make_unique<DrawingDc>(runtime_, width, height, back);
        image_->ShowIn(window);
    } else {
        image_->Resize(width, height, back);
    }
    FillSolid(image_->Dc(), RECT{0, 0, image_->Width(), image_->Height()}, back);
    if (picture_ != nullptr) {
        DrawPicture(image_->Dc(), picture_(dpi), back);
    }
    image_->Changed();
}

void BackingImage::Paint(HDC dc, const RECT& area) const {
    if (!image_) {
        FillSolid(dc, area, BackColor());
        return;
    }
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, image_->Dc(),
             area.left, area.top, SRCCOPY);
}

void BackingImage::Detach() const {
    if (image_) {
        image_->ShowIn(nullptr);
    }
}

platform::Rgb BackingImage::BackColor() const {
    return ResolveColor(backColor_);
}

}  // namespace win32
