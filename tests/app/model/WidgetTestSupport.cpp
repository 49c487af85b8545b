#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace kinetra::test {

namespace {

// The widget tests need one application object for the whole run.
class ApplicationEnvironment final : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "app_model_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] const auto* const Environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

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
