#include "shell/StartupShortcut.h"

#include "core/Text.h"
#include "shell/cShellLink.h"

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

std::string SpecialFolderPath(platform::Shell& shell, platform::WindowHandle owner, int folder) {
    platform::ItemIdList list = 0;
    if (shell.SpecialFolderLocation(owner, folder, &list) != 0)
        return {};
    // The shell writes up to a whole path here, not just 255 characters.
    std::string buffer(platform::kMaxPath, ' ');
    int found = shell.PathFromIdList(list, buffer);
    shell.FreeIdList(list);
    if (found != 1)
        return {};
    return core::TrimAtNull(buffer);
}

int StartupShortcutPresent(platform::Platform& platform, platform::WindowHandle owner) {
    std::string folder = SpecialFolderPath(platform.ShellServices(), owner, kStartupFolder);
    if (folder.empty())
        return 0;
    cShellLink link(platform.ShellServices());
    link.SetLnkFile(ShortcutPath(folder));
    return link.GetLinkInfo() ? 1 : 0;
}

bool WriteOrDeleteStartupShortcut(platform::Platform& platform, platform::WindowHandle owner,
                                  int checked) {
    platform::Shell& shell = platform.ShellServices();
    std::string folder = SpecialFolderPath(shell, owner, kStartupFolder);
    if (folder.empty())
        return false;
    if (checked != 1) {
        shell.DeleteFile(ShortcutPath(folder));
        return true;
    }
    cShellLink link(shell);
    link.SetLnkFile(ShortcutPath(folder));
    link.SetExeFile(ProgramPath(platform.App()));
    link.SetIconFile(ProgramPath(platform.App()));
    link.SetIconIdx(0);
    link.SetStartShow(kShortcutShow);
    link.SetExeArgs(kShortcutArguments);
    link.CreateLink();
    return false;
}

}  // namespace shell
