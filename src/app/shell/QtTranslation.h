#pragma once

#include <QTranslator>

namespace kinetra {

// Qt's own Russian texts: the standard buttons (Да, Нет, Отмена), the file dialogs and their
// messages, so nothing the toolkit shows falls back to English in a Russian program. Installed
// on the application for the whole run; a machine without the translations keeps Qt's English.
class QtTranslation final {
    Q_DISABLE_COPY_MOVE(QtTranslation)

public:
    QtTranslation();
    ~QtTranslation();

    bool loaded() const { return m_loaded; }

private:
    QTranslator m_translator;
    bool m_loaded = false;
};

} // namespace kinetra
