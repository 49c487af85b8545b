#include "shell/UserPrompts.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace kinetra {

std::optional<UserPrompts::ChosenFile> ChooseFileToReplace(UserPrompts& prompts,
                                                           const UserPrompts::FileDialog& dialog,
                                                           const FileNaming& naming)
{
    auto chosen = prompts.chooseFileToSave(dialog);
    if (chosen && naming)
        chosen->path = naming(*chosen);
    if (!chosen || !QFileInfo::exists(chosen->path))
        return chosen;
    const QString question = QCoreApplication::translate("UserPrompts", "Перезаписать файл %1 ?")
                                 .arg(QFileInfo(chosen->path).fileName());
    if (prompts.askYesNo(QCoreApplication::translate("UserPrompts", "Текст изменен"), question) !=
        UserPrompts::Answer::Yes)
        return std::nullopt;
    return chosen;
}

} // namespace kinetra
