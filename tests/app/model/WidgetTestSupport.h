#pragma once

#include <stdexcept>

#include <QAbstractButton>
#include <QColor>
#include <QLineEdit>
#include <QStringList>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "model/FormPages.h"

namespace kinetra::test {

// Keeps the messages the session would show.
class RecordedMessages final : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

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
