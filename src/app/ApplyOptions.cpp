#include "app/ApplyOptions.h"

#include "shell/StartupShortcut.h"

namespace app {

void ApplyOptions(platform::Platform& platform, dialogs::frmOptions& options,
                  converter::frmConvalis& main) {
    ui::UnloadAtExit unloadOptions(options);
    options.ShowModal(main.Window());
    if (!options.Confirmed())
        return;
    const bool deleted =
        shell::WriteOrDeleteStartupShortcut(platform, main.Window(), options.StartWithWindows());
    try {
        bool shown = options.ShowChange() != 0;
        // Only a change of the row is shown: no flicker.
        if (shown != main.ChangeRowShown())
            main.ShowChangeRow(shown);
    } catch (const platform::RuntimeError&) {
        // After a deletion of the shortcut, whose own errors are ignored,
        // errors of the rest of the step are ignored too.
        if (!deleted)
            throw;
    }
}

}  // namespace app
