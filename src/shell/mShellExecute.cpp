#include "shell/mShellExecute.h"

namespace shell {

const char* ShellErrorText(platform::LaunchResult result) {
    using platform::LaunchResult;
    switch (result) {
        case LaunchResult::kOutOfMemory:
            return "Mémoire insuffisante.";
        case LaunchResult::kFileNotFound:
            return "Fichier non trouvé.";
        case LaunchResult::kPathNotFound:
            return "Erreur dans le chemin.";
        case LaunchResult::kAccessDenied:
            return "Accès au fichier refusé.";
        case LaunchResult::kBadFormat:
            return "Erreur lors de l'ouverture du fichier.";
        case LaunchResult::kSharingViolation:
            return "Violation de partage.";
        case LaunchResult::kIncompleteAssociation:
            return "Ce type de fichier n'a pas d'association valide.";
        case LaunchResult::kDdeTimeout:
            return "Délai d'attente dépassé.";
        case LaunchResult::kDdeFailed:
            return "Erreur dans la transaction DDE.";
        case LaunchResult::kDdeBusy:
            return "L'application demandée est occupée.";
        case LaunchResult::kNoAssociation:
            return "Aucune application n'est associée à ce type de fichier.";
        case LaunchResult::kLibraryNotFound:
            return "Une DLL requise n'a pas été trouvée.";
        default:
            return "Une erreur est survenue pendant l'ouverture du fichier.";
    }
}

platform::LaunchResult ShellLaunch(platform::Platform& platform, const std::string& file,
                                   const std::string& operation, platform::ShowCommand show,
                                   bool showErrors) {
    const platform::LaunchResult result = platform.ShellServices().Launch(file, operation, show);
    if (showErrors && result != platform::LaunchResult::kDone)
        platform.Messages().ShowCritical(ShellErrorText(result), "Convalis");
    return result;
}

}  // namespace shell
