#include "chrome/mDrawing.h"

namespace chrome {

platform::Rgb TranslateColor(const platform::Gdi& gdi, platform::OleColor color, int /*palette*/) {
    platform::Rgb rgb = 0;
    if (!gdi.TranslateColor(color, &rgb))
        return 0;
    return rgb;
}

void DrawLine(platform::Gdi& gdi, platform::DeviceContext dc, int x2, int y2, std::optional<int> x1,
              int y1) {
    if (x1)
        gdi.MoveTo(dc, *x1, y1);
    gdi.LineTo(dc, x2, y2);
}

}  // namespace chrome
