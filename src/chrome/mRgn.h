// The face every window of the program shares: its size and outline.
#pragma once

#include "platform/Services.h"
#include "platform/Window.h"

namespace chrome {

inline constexpr int kWindowWidthPixels = 199;
inline constexpr int kWindowHeightPixels = 179;

// The first step of every window's loading: gives the window its size.
void ApplyWindowOutline(platform::Window& window, const platform::Screen& screen);

}  // namespace chrome
