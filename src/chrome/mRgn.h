// The face every window of the program shares: a coin of 179 pixels across
// with the two bars of a euro sign sticking out on the left, cut by a window
// region, with a thin frame painted along the region's inside edge, over a
// picture of the euro sign.
#pragma once

#include "platform/Platform.h"

namespace chrome {

// Window geometry, in pixels of a 96-dpi screen: a window shows them scaled
// to its own scale (Dpi::Scale), each coordinate by itself.
namespace outline {
using Rect = platform::WindowShape::Rect;
inline constexpr int kWidth = 199;
inline constexpr int kHeight = 179;
inline constexpr Rect kDisc{20, 0, 199, 179};
inline constexpr Rect kUpperBar{0, 63, 30, 80};
inline constexpr Rect kLowerBar{0, 99, 30, 116};
inline constexpr platform::OleColor kFrameColor =
    platform::SystemColor(platform::syscolor::kButtonFace);
inline constexpr int kFrameWidth = 2;
inline constexpr int kFrameHeight = 2;
// The window's size in twips, which is the outline's size at every scale: a
// window made at it needs no resize to take its outline.
inline constexpr platform::Bounds kTwipsSize{0, 0, platform::Dpi().ScaleToTwips(kWidth),
                                             platform::Dpi().ScaleToTwips(kHeight)};

// A rectangle of the geometry at a scale.
constexpr Rect Scaled(const Rect& rect, platform::Dpi dpi) {
    return {dpi.Scale(rect.left), dpi.Scale(rect.top), dpi.Scale(rect.right),
            dpi.Scale(rect.bottom)};
}
}  // namespace outline

// The first step of every window's loading: the window's size, then its
// region: the disc with the two bars, all at the window's scale. Runs again
// when the window changes scale.
void ApplyWindowOutline(platform::Platform& platform, platform::Window& window);

// The whole of every window's resize handling: paints the frame along the
// inside of the window's region in the button-face colour of the moment.
// Paints nothing while the window is minimised or has no region.
void PaintWindowFrame(platform::Platform& platform, platform::Window& window);

// The picture every window shows: an olive euro sign on a transparent
// ground, drawn at a scale from its geometry. Made once per scale; it lives
// as long as the program.
const platform::Image& BackgroundPicture(platform::Dpi dpi);

}  // namespace chrome
