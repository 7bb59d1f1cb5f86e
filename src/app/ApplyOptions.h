// Applying the options: the dialog only records the user's choices, which
// take effect here once it has closed with "OK".
#pragma once

#include "windows/converter/frmConvalis.h"
#include "windows/dialogs/frmOptions.h"

namespace app {

// Shows the options dialog modal over the main window, then writes or
// deletes the Startup shortcut and shows or hides the change row as chosen.
// The dialog is unloaded in every case, so that the next opening starts
// fresh with an empty mark.
void ApplyOptions(platform::Platform& platform, dialogs::frmOptions& options,
                  converter::frmConvalis& main);

}  // namespace app
