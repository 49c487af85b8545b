#include <QApplication>
#include <QIcon>
#include <QLocale>

#include "Shell.h"
#include "charts/ChartLayoutAfterFirstPaint.h"
#include "settings/SettingsStore.h"
#include "shell/DialogPrompts.h"
#include "shell/FirstPaintExit.h"
#include "shell/InterfaceTranslation.h"

// Kinetra: simulates electric drives and judges how well their equipment is used.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kinetra"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kinetra.svg")));
    // The language is chosen before any window is built, since a window takes its texts then.
    const kinetra::InterfaceTranslation translation(kinetra::ChooseInterfaceLanguage(
        QLocale::system().uiLanguages(), kinetra::SettingsStore::interfaceLanguageAtStart()));

    // The decimal separator is the locale's, read once and fixed for the whole run, whatever
    // language the interface speaks.
    const QChar decimalSeparator = QLocale::system().decimalPoint().at(0);
    const kinetra::ChartLayoutAfterFirstPaint chartLayoutAfterFirstPaint;
    kinetra::DialogPrompts prompts;
    kinetra::Shell shell(decimalSeparator, QApplication::arguments().mid(1), prompts, prompts,
                         translation.language());
    kinetra::FirstPaintExit firstPaintExit;
    if (kinetra::FirstPaintExit::requested())
        application.installEventFilter(&firstPaintExit);
    application.exec();
    return 0;
}
