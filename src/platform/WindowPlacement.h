// Where a window opens over its owner.
#pragma once

#include <algorithm>

#include "platform/Types.h"

namespace platform {

// The start of a span of `size` moved inside the area's span; a span larger
// than the area starts with it.
inline int MovedInside(int start, int size, int areaStart, int areaSize) {
    return std::max(areaStart, std::min(start, areaStart + areaSize - size));
}

// A window of `width` by `height` centred on its owner, then moved inside
// the work area of the owner's monitor when part of it would lie outside,
// as the system places dialog boxes: an owner dragged to the screen's edge
// opens its windows where they can be seen and reached. Any one unit.
inline Bounds CentredOver(const Bounds& owner, int width, int height, const Bounds& workArea) {
    const int left = owner.left + (owner.width - width) / 2;
    const int top = owner.top + (owner.height - height) / 2;
    return Bounds{MovedInside(left, width, workArea.left, workArea.width),
                  MovedInside(top, height, workArea.top, workArea.height), width, height};
}

}  // namespace platform
