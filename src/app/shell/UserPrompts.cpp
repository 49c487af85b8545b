#include "shell/UserPrompts.h"

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
    const QString question = QStringLiteral("Перезаписать файл ") +
                             QFileInfo(chosen->path).fileName() + QStringLiteral(" ?");
    if (prompts.askYesNo(QStringLiteral("Текст изменен"), question) != UserPrompts::Answer::Yes)
        return std::nullopt;
    return chosen;
}

} // namespace kinetra
