#include "shell/StartupShortcut.h"

namespace shell {
namespace {

std::string ShortcutPath(const std::string& folder) {
    return folder + "\\" + kShortcutName;
}

std::string ProgramPath(platform::Application& app) {
    std::string folder = app.Path();
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder + kProgramFile;
}

}  // namespace

platform::Shortcut StartupShortcut(platform::Application& app) {
    platform::Shortcut shortcut;
    shortcut.target = ProgramPath(app);
    shortcut.iconFile = ProgramPath(app);
    shortcut.iconIndex = 0;
    shortcut.show = platform::ShowCommand::kMinimizedNoActivate;
    shortcut.arguments = kShortcutArguments;
    return shortcut;
}

int StartupShortcutPresent(platform::Platform& platform, platform::Window& owner) {
    platform::Shell& shell = platform.ShellServices();
    const std::optional<std::string> folder = shell.StartupFolder(owner);
    if (!folder)
        return 0;
    return shell.ReadShortcut(ShortcutPath(*folder)) ? 1 : 0;
}

bool WriteOrDeleteStartupShortcut(platform::Platform& platform, platform::Window& owner,
                                  int checked) {
    platform::Shell& shell = platform.ShellServices();
    const std::optional<std::string> folder = shell.StartupFolder(owner);
    if (!folder)
        return false;
    if (checked != 1) {
        shell.DeleteShortcut(ShortcutPath(*folder));
        return true;
    }
    shell.WriteShortcut(ShortcutPath(*folder), StartupShortcut(platform.App()));
    return false;
}

}  // namespace shell
