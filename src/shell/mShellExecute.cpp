#include "shell/mShellExecute.h"

namespace shell {

const char* ShellErrorText(std::intptr_t result) {
    switch (result) {
        case 0:
        case 8:  // SE_ERR_OOM
            return "Mémoire insuffisante.";
        case 2:  // ERROR_FILE_NOT_FOUND
            return "Fichier non trouvé.";
        case 3:  // ERROR_PATH_NOT_FOUND
            return "Erreur dans le chemin.";
        case 5:  // SE_ERR_ACCESSDENIED
            return "Accès au fichier refusé.";
        case 11:  // ERROR_BAD_FORMAT
            return "Erreur lors de l'ouverture du fichier.";
        case 26:  // SE_ERR_SHARE
            return "Violation de partage.";
        case 27:  // SE_ERR_ASSOCINCOMPLETE
            return "Ce type de fichier n'a pas d'association valide.";
        case 28:  // SE_ERR_DDETIMEOUT
            return "Délai d'attente dépassé.";
        case 29:  // SE_ERR_DDEFAIL
            return "Erreur dans la transaction DDE.";
        case 30:  // SE_ERR_DDEBUSY
            return "L'application demandée est occupée.";
        case 31:  // SE_ERR_NOASSOC
            return "Aucune application n'est associée à ce type de fichier.";
        case 32:  // SE_ERR_DLLNOTFOUND
            return "Une DLL requise n'a pas été trouvée.";
        default:
            return "Une erreur est survenue pendant l'ouverture du fichier.";
    }
}

std::intptr_t ShellLaunch(platform::Platform& platform, const std::string& file,
                          const std::string& operation, const std::string& parameters,
                          const std::string& directory, int showCommand,
                          platform::WindowHandle window, bool showErrors) {
    std::intptr_t result = platform.ShellServices().Execute(window, operation, file, parameters,
                                                            directory, showCommand);
    if (showErrors && result <= 32) {
        platform.Messages().ShowCritical(ShellErrorText(result), "Convalis");
    }
    return result;
}

}  // namespace shell
