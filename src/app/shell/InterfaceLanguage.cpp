#include "shell/InterfaceLanguage.h"

#include <array>
#include <optional>

#include <QLocale>

namespace kinetra {

namespace {

constexpr std::array<InterfaceLanguage, 2> SpokenLanguages{InterfaceLanguage::Russian,
                                                           InterfaceLanguage::English};

std::optional<InterfaceLanguage> languageOfCode(const QString& code)
{
    for (InterfaceLanguage language : SpokenLanguages) {
        if (code.compare(LanguageCode(language), Qt::CaseInsensitive) == 0)
            return language;
    }
    return std::nullopt;
}

// A UI language is a tag such as "ru-RU", "en-Latn-GB" or "en"; its language decides.
std::optional<InterfaceLanguage> languageOfTag(const QString& tag)
{
    switch (QLocale(tag).language()) {
    case QLocale::Russian:
        return InterfaceLanguage::Russian;
    case QLocale::English:
    case QLocale::C: // the POSIX locale, whose messages are English
        return InterfaceLanguage::English;
    default:
        return std::nullopt;
    }
}

} // namespace

QString LanguageCode(InterfaceLanguage language)
{
    return language == InterfaceLanguage::English ? QStringLiteral("en") : QStringLiteral("ru");
}

InterfaceLanguage ChooseInterfaceLanguage(const QStringList& uiLanguages, const QString& chosen)
{
    if (const std::optional<InterfaceLanguage> language = languageOfCode(chosen))
        return *language;
    for (const QString& tag : uiLanguages) {
        if (const std::optional<InterfaceLanguage> language = languageOfTag(tag))
            return *language;
    }
    return InterfaceLanguage::Russian;
}

} // namespace kinetra
