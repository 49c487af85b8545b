#include "shell/DialogPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "database/ConnectionDialog.h"

namespace kinetra {

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

UserPrompts::Answer ask(const QString& caption, const QString& question,
                        QMessageBox::StandardButtons buttons)
{
    switch (QMessageBox::question(dialogParent(), caption, question, buttons)) {
    case QMessageBox::Yes:
        return UserPrompts::Answer::Yes;
    case QMessageBox::No:
        return UserPrompts::Answer::No;
    default:
        return UserPrompts::Answer::Cancel;
    }
}

} // namespace

QStringList QtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString& pattern = parts.at(i + 1);
        // Qt reads the patterns from the parentheses of the description.
        filters.append(description.contains(u'(')
                           ? description
                           : description + QStringLiteral(" (") + pattern + u')');
    }
    return filters;
}

UserPrompts::Answer DialogPrompts::askYesNo(const QString& caption, const QString& question)
{
    return ask(caption, question, QMessageBox::Yes | QMessageBox::No);
}

UserPrompts::Answer DialogPrompts::askYesNoCancel(const QString& caption, const QString& question)
{
    return ask(caption, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

std::optional<UserPrompts::ChosenFile> DialogPrompts::chooseFileToOpen(const FileDialog& dialog)
{
    return chooseFile(dialog, false);
}

std::optional<UserPrompts::ChosenFile> DialogPrompts::chooseFileToSave(const FileDialog& dialog)
{
    return chooseFile(dialog, true);
}

std::optional<UserPrompts::ChosenFile> DialogPrompts::chooseFile(const FileDialog& dialog,
                                                                 bool save)
{
    QFileDialog fileDialog(dialogParent(), dialog.title,
                           dialog.folder.isEmpty() ? QDir::currentPath() : dialog.folder);
    const QStringList filters = QtNameFilters(dialog.filter);
    fileDialog.setNameFilters(filters);
    fileDialog.setDefaultSuffix(dialog.defaultSuffix);
    if (save) {
        fileDialog.setAcceptMode(QFileDialog::AcceptSave);
        // The commands ask about overwriting themselves, in the program's own words.
        fileDialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!dialog.fileName.isEmpty())
            fileDialog.selectFile(dialog.fileName);
    } else {
        fileDialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (fileDialog.exec() != QDialog::Accepted || fileDialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ChosenFile{fileDialog.selectedFiles().constFirst(),
                      static_cast<int>(filters.indexOf(fileDialog.selectedNameFilter())) + 1};
}

void DialogPrompts::showMessage(const QString& text)
{
    QMessageBox::information(dialogParent(), QStringLiteral("Kinetra"), text);
}

int DialogPrompts::askChoice(const QString& caption, const QString& text,
                             const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton*> pressed;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        // The last button gives up, as Esc and the window's close button do.
        const bool last = i + 1 == buttons.size();
        pressed.append(
            box.addButton(buttons.at(i), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!pressed.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(pressed.constFirst()));
    box.exec();
    return static_cast<int>(pressed.indexOf(box.clickedButton()));
}

QString DialogPrompts::composeConnectionString()
{
    ConnectionDialog dialog(QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted ? dialog.connectionString() : QString();
}

} // namespace kinetra
