// The tab order of a window: its controls that take the keyboard focus, in
// the order they were added. Both platforms move the focus along it alike.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace platform {

// Where Tab (or Shift+Tab, `backwards`) moves the focus from `current`: the
// next stop, round from the last to the first. From outside the order the
// focus goes to the first stop (the last, backwards). `stops` is not empty.
template <class Stop>
Stop NextTabStop(const std::vector<Stop>& stops, const Stop& current, bool backwards) {
    const auto at = std::find(stops.begin(), stops.end(), current);
    if (at == stops.end())
        return backwards ? stops.back() : stops.front();
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t next = (at - stops.begin() + (backwards ? count - 1 : 1)) % count;
    return stops[static_cast<std::size_t>(next)];
}

}  // namespace platform
