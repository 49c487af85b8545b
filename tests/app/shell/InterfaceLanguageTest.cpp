#include <gtest/gtest.h>

#include "shell/InterfaceLanguage.h"

namespace kinetra::test {
namespace {

// The setting wins; else the first desktop language the program speaks; else Russian.
TEST(InterfaceLanguageTest, SettingThenTheFirstSpokenDesktopLanguageThenRussian)
{
    const struct {
        QStringList uiLanguages;
        const char* chosen;
        InterfaceLanguage expected;
    } cases[] = {
        {{"en-US", "en-Latn-US", "en"}, "", InterfaceLanguage::English},
        {{"ru-RU", "ru-Cyrl-RU", "ru"}, "", InterfaceLanguage::Russian},
        {{"de", "de-DE", "en-GB", "ru"}, "", InterfaceLanguage::English},
        {{"de-DE", "ru", "en"}, "", InterfaceLanguage::Russian},
        {{"de-DE"}, "", InterfaceLanguage::Russian},
        {{"C"}, "", InterfaceLanguage::English},
        {{}, "", InterfaceLanguage::Russian},
        {{"ru-RU"}, "en", InterfaceLanguage::English},
        {{"en-US"}, "RU", InterfaceLanguage::Russian},
        {{"en-US"}, "de", InterfaceLanguage::English},
    };
    for (const auto& [uiLanguages, chosen, expected] : cases)
        EXPECT_EQ(ChooseInterfaceLanguage(uiLanguages, QString::fromLatin1(chosen)), expected)
            << uiLanguages.join(u' ').toStdString() << " / " << chosen;
}

} // namespace
} // namespace kinetra::test
