#include "shell/InterfaceTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kinetra {

InterfaceTranslation::InterfaceTranslation(InterfaceLanguage language) : m_language(language)
{
    // The program's texts are Russian and Qt's English: each needs a translation into the other.
    const QString code = LanguageCode(language);
    if (language != InterfaceLanguage::Russian &&
        m_program.load(QStringLiteral(":/translations/kinetra_") + code + QStringLiteral(".qm")))
        QCoreApplication::installTranslator(&m_program);
    m_qtSpeaksLanguage = language == InterfaceLanguage::English ||
                         (m_qt.load(QStringLiteral("qtbase_") + code,
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                          QCoreApplication::installTranslator(&m_qt));
}

} // namespace kinetra
