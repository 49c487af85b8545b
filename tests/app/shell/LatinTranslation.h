#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStringList>
#include <QTabWidget>
#include <QTranslator>

#include "../../model/text/QtPrinters.h"

namespace kinetra::test {

// A translation of every Russian source text, whatever its context: each Cyrillic letter becomes
// an "x", placeholders and accelerators stay. Installed while it lives. A window built under it
// shows Cyrillic only where a text never went through the translation.
class LatinTranslation : public QTranslator {
public:
    LatinTranslation() { QCoreApplication::installTranslator(this); }
    ~LatinTranslation() override { QCoreApplication::removeTranslator(this); }

    QString translate(const char*, const char* source, const char*, int) const override
    {
        QString text = QString::fromUtf8(source);
        if (!text.contains(cyrillic()))
            return {};
        return text.replace(cyrillic(), QStringLiteral("x"));
    }

    static const QRegularExpression& cyrillic()
    {
        static const QRegularExpression letters(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        return letters;
    }
};

// Whether the widget shows on the window itself or on one of its menus, rather than on another
// window the window owns.
inline bool ShowsOn(const QWidget& window, const QWidget* widget)
{
    for (; widget && widget != &window; widget = widget->parentWidget()) {
        if (widget->isWindow() && !qobject_cast<const QMenu*>(widget))
            return false;
    }
    return true;
}

// Every text a user can read on the window, without the texts of edit fields: titles, labels,
// captions, list items, tabs, hints, and the actions of its menus and shortcuts.
inline QStringList VisibleTexts(QWidget& window)
{
    QStringList texts{window.windowTitle()};
    const auto addAction = [&texts](const QAction* action) {
        texts << action->text() << action->toolTip() << action->statusTip();
    };
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (!ShowsOn(window, widget))
            continue;
        texts << widget->toolTip() << widget->statusTip();
        for (const QAction* action : widget->actions())
            addAction(action);
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget))
            texts << group->title();
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->placeholderText();
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        }
    }
    return texts;
}

// The visible texts that still hold Cyrillic letters.
inline QStringList CyrillicTexts(QWidget& window)
{
    QStringList found = VisibleTexts(window).filter(LatinTranslation::cyrillic());
    found.removeDuplicates();
    return found;
}

} // namespace kinetra::test
