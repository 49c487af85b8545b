#include "shell/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace kinetra {

QtTranslation::QtTranslation()
{
    // The program speaks Russian whatever the desktop's language is, so its dialogs must too.
    m_loaded =
        m_translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&m_translator);
}

QtTranslation::~QtTranslation()
{
    QCoreApplication::removeTranslator(&m_translator);
}

} // namespace kinetra
