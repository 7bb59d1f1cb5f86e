// Drawing routines shared by the windows: colour translation and lines.
#pragma once

#include <optional>

#include "platform/Services.h"

namespace chrome {

// The RGB value of an OLE colour: a system colour is resolved now, an RGB
// value comes back unchanged, and a colour that cannot be translated gives 0.
platform::Rgb TranslateColor(const platform::Gdi& gdi, platform::OleColor color, int palette = 0);

// Draws a line to (x2, y2), leaving out the end point. With a start point
// (x1 given) the pen first moves to (x1, y1); without one the line continues
// from where the pen stands.
void DrawLine(platform::Gdi& gdi, platform::DeviceContext dc, int x2, int y2,
              std::optional<int> x1 = std::nullopt, int y1 = 0);

}  // namespace chrome
