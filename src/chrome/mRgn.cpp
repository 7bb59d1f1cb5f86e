#include "chrome/mRgn.h"

#include <cmath>
#include <map>

#include "chrome/mDrawing.h"

namespace chrome {
namespace {

// The euro sign of the picture, in pixels of a 96-dpi screen: a ring inside
// the disc's rim, cut straight on the right, and two bars that lie on the
// region's bars.
namespace sign {
constexpr platform::Rgb kOlive = platform::MakeRgb(179, 181, 11);
constexpr int kRingThickness = 20;
constexpr int kArcEndColumn = 103;  // the first column right of the arc
constexpr int kBarEndColumn = 80;   // the first column right of the bars
}  // namespace sign

// The sign's shape at one scale, in pixels of the window.
class EuroSign {
public:
    explicit EuroSign(platform::Dpi dpi)
        : disc_(outline::Scaled(outline::kDisc, dpi)),
          upperBar_(outline::Scaled(outline::kUpperBar, dpi)),
          lowerBar_(outline::Scaled(outline::kLowerBar, dpi)),
          centreX_((disc_.left + disc_.right) / 2.0),
          centreY_((disc_.top + disc_.bottom) / 2.0),
          outerRadius_((disc_.bottom - disc_.top) / 2.0),
          innerRadius_(outerRadius_ - dpi.Scale(sign::kRingThickness)),
          arcEnd_(dpi.Scale(sign::kArcEndColumn)),
          barEnd_(dpi.Scale(sign::kBarEndColumn)) {}

    bool Covers(int x, int y) const { return OnArc(x, y) || OnBar(x, y); }

private:
    bool OnArc(int x, int y) const {
        double distance = std::hypot(x + 0.5 - centreX_, y + 0.5 - centreY_);
        return x < arcEnd_ && distance >= innerRadius_ && distance <= outerRadius_;
    }
    bool OnBar(int x, int y) const {
        auto within = [y](const outline::Rect& bar) { return y >= bar.top && y < bar.bottom; };
        return x < barEnd_ && (within(upperBar_) || within(lowerBar_));
    }

    outline::Rect disc_, upperBar_, lowerBar_;
    double centreX_, centreY_, outerRadius_, innerRadius_;
    int arcEnd_, barEnd_;
};

platform::Image MakeBackgroundPicture(platform::Dpi dpi) {
    const EuroSign euro(dpi);
    platform::Image picture{dpi.Scale(outline::kWidth), dpi.Scale(outline::kHeight), {}};
    picture.pixels.reserve(static_cast<std::size_t>(picture.width * picture.height));
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(euro.Covers(x, y) ? sign::kOlive
                                                       : platform::Image::kTransparent);
        }
    }
    return picture;
}

}  // namespace

void ApplyWindowOutline(platform::Platform& platform, platform::Window& window) {
    const platform::Dpi dpi = window.Dpi();
    platform::Bounds bounds = window.Placement();
    // One move: each resize composes the window's image anew.
    bounds.width = dpi.ScaleToTwips(outline::kWidth);
    bounds.height = dpi.ScaleToTwips(outline::kHeight);
    window.Move(bounds);

    platform::WindowShape shape;
    shape.disc = outline::Scaled(outline::kDisc, dpi);
    shape.bars = {outline::Scaled(outline::kUpperBar, dpi),
                  outline::Scaled(outline::kLowerBar, dpi)};
    // A refused shape leaves the window rectangular, and nothing else to do.
    platform.Graphics().SetWindowShape(window.Handle(), shape);
}

void PaintWindowFrame(platform::Platform& platform, platform::Window& window) {
    if (window.Minimized())
        return;
    platform::Gdi& gdi = platform.Graphics();
    const platform::Dpi dpi = window.Dpi();
    gdi.FrameWindowShape(window.Handle(), window.Hdc(), TranslateColor(gdi, outline::kFrameColor),
                         dpi.Scale(outline::kFrameWidth), dpi.Scale(outline::kFrameHeight));
}

const platform::Image& BackgroundPicture(platform::Dpi dpi) {
    // A node-based map: the pictures handed out stay where they are.
    static std::map<int, platform::Image> pictures;
    auto found = pictures.find(dpi.Value());
    if (found == pictures.end())
        found = pictures.emplace(dpi.Value(), MakeBackgroundPicture(dpi)).first;
    return found->second;
}

}  // namespace chrome
