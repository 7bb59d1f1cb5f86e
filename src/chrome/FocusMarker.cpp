#include "chrome/FocusMarker.h"

#include "chrome/mDrawing.h"

namespace chrome {
namespace {

// The marker stands this far right of the display's right edge.
constexpr int kGapTwips = 70;
constexpr int kWidthPixels = 6;
constexpr int kHeightPixels = 12;

}  // namespace

FocusMarker::FocusMarker(platform::Platform& platform, platform::Window& window,
                         const platform::Bounds& designBounds)
    : platform_(platform),
      control_(window.AddSurface({"nrvFocus", -1, designBounds, true}), platform.Graphics()) {
    control_.LoadState(FocusMarkerDesign());
}

void FocusMarker::SetUp(const platform::Bounds& display) {
    const platform::Screen& screen = platform_.Display();
    control_.Surface().Move({display.left + display.width + kGapTwips, display.top,
                             kWidthPixels * screen.TwipsPerPixelX(),
                             kHeightPixels * screen.TwipsPerPixelY()});
    DrawTriangle();
    control_.Refresh();
}

void FocusMarker::PlaceBeside(const platform::Bounds& display) {
    platform::Bounds marker = control_.Surface().Placement();
    control_.Surface().Move(
        {display.left + display.width + kGapTwips, display.top, marker.width, marker.height});
}

void FocusMarker::DrawTriangle() {
    // Column x runs from row 5 - x down to row 7 + x, the end row left out:
    // 2 pixels at the tip, 12 at the base.
    for (int x = 0; x < kWidthPixels; ++x) {
        DrawLine(platform_.Graphics(), control_.hdc(), x, 7 + x, x, 5 - x);
    }
}

PropertyBag FocusMarkerDesign() {
    PropertyBag bag;
    bag.WriteProperty("_extentx", 450);
    bag.WriteProperty("_extenty", 450);
    bag.WriteProperty("backcolor", platform::SystemColor(platform::syscolor::kWindow));
    bag.WriteProperty("forecolor", platform::SystemColor(platform::syscolor::kButtonText));
    bag.WriteProperty("fillcolor", platform::SystemColor(platform::syscolor::kActiveCaption));
    bag.WriteProperty("fillstyle", 0);
    bag.WriteProperty("drawmode", 13);
    return bag;
}

}  // namespace chrome
