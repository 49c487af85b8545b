#pragma once

#include <QTranslator>

#include "shell/InterfaceLanguage.h"

namespace kinetra {

// The translations the interface speaks its language with, installed on the application for the
// whole run: before any window is built, since a window takes its texts when it is built. The
// program's texts are written in Russian and need none in Russian; in English they come from
// the translation built into the program. Qt's own texts (the standard buttons, the file
// dialogs and their messages) are English and come in Russian from Qt's translations, so
// nothing the toolkit shows falls back to another language; a machine without them keeps Qt's
// English.
class InterfaceTranslation final {
    Q_DISABLE_COPY_MOVE(InterfaceTranslation)

public:
    // A translator takes itself off the application when it goes.
    explicit InterfaceTranslation(InterfaceLanguage language);

    InterfaceLanguage language() const { return m_language; }
    // Qt's own texts speak the language: in English by themselves, in Russian when Qt's
    // translations are there (Debian's qt6-translations-l10n).
    bool qtSpeaksLanguage() const { return m_qtSpeaksLanguage; }

private:
    const InterfaceLanguage m_language;
    QTranslator m_program;
    QTranslator m_qt;
    bool m_qtSpeaksLanguage = false;
};

} // namespace kinetra
