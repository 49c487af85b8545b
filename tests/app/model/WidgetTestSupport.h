#pragma once

#include <stdexcept>

#include <QAbstractButton>
#include <QColor>
#include <QLineEdit>
#include <QStringList>

#include "../../model/editor/EditorTestSupport.h"
#include "model/FormPages.h"

namespace kinetra::test {

// The pages on a new model, as the window shows them after start-up, at the window's size.
struct PagesFixture {
    PagesFixture();

    ModelEditor& editor() { return session.editor(); }

    template <typename Widget> Widget& find(const QString& name)
    {
        auto* widget = pages.findChild<Widget*>(name);
        if (!widget)
            throw std::runtime_error("no control " + name.toStdString());
        return *widget;
    }

    // Shows the page and returns it, laid out and painted as on the screen.
    QWidget& showPage(EditorPage page);

    RecordedMessages messages;
    ModelSession session{u',', messages};
    FormPages pages{session.editor()};
};

// Types text as keys into a widget: letters of any script, one key press each.
void typeText(QWidget& widget, const QString& text);

// Clicks a check box or radio button on its indicator, which takes clicks however wide the
// button is laid out.
void clickIndicator(QAbstractButton& button);

// The colour the widget shows at this point of itself.
QColor pixelAt(QWidget& widget, QPoint point);

} // namespace kinetra::test
