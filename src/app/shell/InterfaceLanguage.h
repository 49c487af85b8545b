#pragma once

#include <QString>
#include <QStringList>

namespace kinetra {

// The languages the interface speaks: Russian, the language its texts are written in, and the
// English of its translation.
enum class InterfaceLanguage { Russian, English };

// The code that names a language in the settings file and in the translation and help files:
// "ru" or "en".
QString LanguageCode(InterfaceLanguage language);

// The language the interface speaks: the one the settings chose ("ru" or "en", in any letter
// case), or else the first of the desktop's UI languages (QLocale::uiLanguages(), most
// preferred first) that it speaks; the C locale of a bare system speaks English. A desktop that
// prefers none of them (German, say) gets Russian, the language the program is written in.
InterfaceLanguage ChooseInterfaceLanguage(const QStringList& uiLanguages, const QString& chosen);

} // namespace kinetra
