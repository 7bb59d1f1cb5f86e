#include "chrome/mRgn.h"

#include <cmath>

#include "chrome/GdiObjectOwner.h"
#include "chrome/mDrawing.h"

namespace chrome {
namespace {

// The euro sign of the picture.
namespace sign {
constexpr platform::Rgb kOlive = platform::MakeRgb(179, 181, 11);
constexpr double kCentreX = 109.5;
constexpr double kCentreY = 89.5;
constexpr double kOuterRadius = 89.5;
constexpr double kInnerRadius = 69.5;
constexpr int kArcLastColumn = 102;
constexpr int kBarLastColumn = 79;
constexpr int kUpperBarRows[] = {63, 79};
constexpr int kLowerBarRows[] = {99, 115};
}  // namespace sign

bool OnArc(int x, int y) {
    double distance = std::hypot(x + 0.5 - sign::kCentreX, y + 0.5 - sign::kCentreY);
    return x <= sign::kArcLastColumn && distance >= sign::kInnerRadius &&
           distance <= sign::kOuterRadius;
}

bool OnBar(int x, int y) {
    auto within = [y](const int(&rows)[2]) { return y >= rows[0] && y <= rows[1]; };
    return x <= sign::kBarLastColumn &&
           (within(sign::kUpperBarRows) || within(sign::kLowerBarRows));
}

platform::Image MakeBackgroundPicture() {
    platform::Image picture{outline::kWidth, outline::kHeight, {}};
    picture.pixels.reserve(static_cast<std::size_t>(picture.width * picture.height));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(OnArc(x, y) || OnBar(x, y) ? sign::kOlive
                                                                : platform::Image::kTransparent);
        }
    }
    return picture;
}

void AddBar(platform::Gdi& gdi, platform::GdiObject disc, const outline::Rect& bar) {
    GdiObjectOwner region(gdi, gdi.CreateRectRgn(bar.left, bar.top, bar.right, bar.bottom));
    gdi.CombineRgn(disc, disc, region.Get(), platform::rgn::kOr);
}

}  // namespace

void ApplyWindowOutline(platform::Platform& platform, platform::Window& window) {
    const platform::Screen& screen = platform.Display();
    platform::Bounds bounds = window.Placement();
    bounds.width = outline::kWidth * screen.TwipsPerPixelX();
    window.Move(bounds);
    bounds.height = outline::kHeight * screen.TwipsPerPixelY();
    window.Move(bounds);

    platform::Gdi& gdi = platform.Graphics();
    const outline::Rect& disc = outline::kDisc;
    GdiObjectOwner region(gdi, gdi.CreateEllipticRgn(disc.left, disc.top, disc.right, disc.bottom));
    AddBar(gdi, region.Get(), outline::kUpperBar);
    AddBar(gdi, region.Get(), outline::kLowerBar);
    // The region belongs to the window once it has taken it, and only then.
    if (gdi.SetWindowRgn(window.Handle(), region.Get(), true) != 0)
        region.Release();
}

void PaintWindowFrame(platform::Platform& platform, platform::Window& window) {
    if (window.Minimized())
        return;
    platform::Gdi& gdi = platform.Graphics();
    GdiObjectOwner region(gdi, gdi.CreateRectRgn(0, 0, 0, 0));
    GdiObjectOwner brush(gdi, gdi.CreateSolidBrush(TranslateColor(gdi, outline::kFrameColor)));
    gdi.GetWindowRgn(window.Handle(), region.Get());
    gdi.FrameRgn(window.Hdc(), region.Get(), brush.Get(), outline::kFrameWidth,
                 outline::kFrameHeight);
}

const platform::Image& BackgroundPicture() {
    static const platform::Image picture = MakeBackgroundPicture();
    return picture;
}

}  // namespace chrome
