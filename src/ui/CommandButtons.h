// The small image buttons that several windows share, at the same places.
#pragma once

#include "platform/Controls.h"

namespace ui {

inline platform::ImageButtonDesign CommandButton(int index, platform::Bounds bounds,
                                                 platform::Picture picture, const char* toolTip) {
    return {"imaCommand", index, bounds, picture, toolTip, true};
}

// Top right of the coin: closes the window (Alt+F4).
inline platform::ImageButtonDesign CloseButton(
    int index, platform::Picture picture = platform::Picture::kClose) {
    return CommandButton(index, {1200, 120, 240, 240}, picture, "Fermer Alt+F4");
}

// Bottom of the coin: the about box and help.
inline platform::ImageButtonDesign AboutButton(
    int index, platform::Picture picture = platform::Picture::kAbout) {
    return CommandButton(index, {1200, 2350, 240, 240}, picture, "A propos de...");
}

inline platform::ImageButtonDesign HelpButton(
    int index, platform::Picture picture = platform::Picture::kHelp) {
    return CommandButton(index, {960, 2250, 240, 240}, picture, "Aide sur Convalis  F1");
}

}  // namespace ui
