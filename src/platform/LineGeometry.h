// Where a line control lies: the rectangle its end points span, and which way
// it slants inside it.
#pragma once

#include <algorithm>
#include <cstdlib>

#include "platform/Controls.h"

namespace platform {

inline Bounds LineSpan(const LineDesign& line) {
    return Bounds{std::min(line.x1, line.x2), std::min(line.y1, line.y2),
                  std::abs(line.x2 - line.x1), std::abs(line.y2 - line.y1)};
}

// True for a line from bottom left to top right of its span.
inline bool LineRises(const LineDesign& line) {
    return (line.x2 - line.x1) * (line.y2 - line.y1) < 0;
}

}  // namespace platform
