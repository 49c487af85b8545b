#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace kinetra::test {

PagesFixture::PagesFixture()
{
    session.NewModel();
    pages.resize(647, 346);
}

QWidget& PagesFixture::showPage(EditorPage page)
{
    pages.setCurrentIndex(static_cast<int>(page));
    pages.show();
    QWidget& shown = *pages.currentWidget();
    shown.grab(); // lays the page out and polishes it
    return shown;
}

void typeText(QWidget& widget, const QString& text)
{
    for (const QChar letter : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(&widget, &release);
    }
}

void clickIndicator(QAbstractButton& button)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(6, button.height() / 2));
}

QColor pixelAt(QWidget& widget, QPoint point)
{
    return widget.grab().toImage().pixelColor(point);
}

} // namespace kinetra::test
