#include "chrome/FocusMarker.h"

#include "chrome/mDrawing.h"

namespace chrome {
namespace {

// The marker stands this far right of the display's right edge.
constexpr int kGapTwips = 70;
// In pixels of a 96-dpi screen.
constexpr int kWidthPixels = 6;
constexpr int kHeightPixels = 12;

// numerator / denominator, both positive, halves up.
int RoundedQuotient(int numerator, int denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

FocusMarker::FocusMarker(platform::Platform& platform, platform::Window& window,
                         const platform::Bounds& designBounds)
    : platform_(platform),
      window_(window),
      control_(window.AddSurface({"nrvFocus", -1, designBounds, true}), platform.Graphics()) {
    control_.LoadState(FocusMarkerDesign());
}

void FocusMarker::SetUp(const platform::Bounds& display) {
    SizeAt(display.left + display.width + kGapTwips, display.top);
    DrawTriangle();
    control_.Refresh();
}

void FocusMarker::Rescale() {
    const platform::Bounds marker = control_.Surface().Placement();
    SizeAt(marker.left, marker.top);
    control_.Cls();
    DrawTriangle();
    control_.Refresh();
}

void FocusMarker::SizeAt(int left, int top) {
    const platform::Dpi dpi = window_.Dpi();
    control_.Surface().Move(
        {left, top, dpi.ScaleToTwips(kWidthPixels), dpi.ScaleToTwips(kHeightPixels)});
}

void FocusMarker::PlaceBeside(const platform::Bounds& display) {
    platform::Bounds marker = control_.Surface().Placement();
    control_.Surface().Move(
        {display.left + display.width + kGapTwips, display.top, marker.width, marker.height});
}

void FocusMarker::DrawTriangle() {
    // Column x of w spans (x + 1) / w of the height h, centred: at 96 dpi
    // it runs from row 5 - x down to row 7 + x, the end row left out, 2
    // pixels at the tip and 12 at the base.
    const platform::Dpi dpi = window_.Dpi();
    const int w = dpi.Scale(kWidthPixels);
    const int h = dpi.Scale(kHeightPixels);
    for (int x = 0; x < w; ++x) {
        const int top = RoundedQuotient(h * (w - x - 1), 2 * w);
        const int bottom = RoundedQuotient(h * (w + x + 1), 2 * w);
        DrawLine(platform_.Graphics(), control_.hdc(), x, bottom, x, top);
    }
}

PropertyBag FocusMarkerDesign() {
    PropertyBag bag;
    bag.WriteProperty("backcolor", platform::SystemColor(platform::syscolor::kWindow));
    bag.WriteProperty("forecolor", platform::SystemColor(platform::syscolor::kButtonText));
    bag.WriteProperty("fillcolor", platform::SystemColor(platform::syscolor::kActiveCaption));
    bag.WriteProperty("fillstyle", 0);
    bag.WriteProperty("drawmode", 13);
    return bag;
}

}  // namespace chrome
