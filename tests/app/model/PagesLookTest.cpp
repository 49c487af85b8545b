#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QHoverEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabBar>

#include "WidgetTestSupport.h"
#include "model/ControlNames.h"
#include "model/StructureDiagram.h"

namespace kinetra::test {
namespace {

using enum EditField;

class PagesLookTest : public ::testing::Test, protected PagesFixture {};

TEST_F(PagesLookTest, EveryControlCarriesItsDesignName)
{
    for (std::size_t i = 0; i < EditFieldCount; ++i) {
        const auto field = static_cast<EditField>(i);
        ASSERT_NE(pages.edit(field), nullptr) << EditFieldNames[i];
        EXPECT_EQ(pages.edit(field)->objectName(), nameOf(field));
    }
    for (const char* name :
         {"MotorGroupBox", "MotorGroupBox1", "ConverterGroupBox", "ConverterGroupBox1",
          "LoadGroupBox", "GearGroupBox", "fcGroup", "refGroup", "fpGroup", "wpGroup", "IpCroup",
          "converterGroup", "fGroup", "wGroup", "IGroup", "loadGroup"})
        EXPECT_NE(pages.findChild<QGroupBox*>(QLatin1StringView(name)), nullptr) << name;
    for (const char* name : {"MotorR1Label", "ConverterR20Label", "LoadBLabel", "TmaxLabel",
                             "cLabel", "lLabel", "mLabel"})
        EXPECT_NE(pages.findChild<QLabel*>(QLatin1StringView(name)), nullptr) << name;
}

TEST_F(PagesLookTest, HoveredTabShowsItsHintInTheStatusBar)
{
    QMainWindow window;
    pages.setParent(&window);
    window.setCentralWidget(&pages);
    QStatusBar& status = *window.statusBar();
    window.show();
    QTabBar& tabs = *pages.tabBar();
    const QPointF inside = tabs.tabRect(1).center();
    QHoverEvent hover(QEvent::HoverMove, inside, inside, inside);
    QApplication::sendEvent(&tabs, &hover);
    EXPECT_EQ(status.currentMessage(), QStringLiteral("Параметры источника"));
    QHoverEvent leave(QEvent::HoverLeave, {-1, -1}, {-1, -1}, inside);
    QApplication::sendEvent(&tabs, &leave);
    EXPECT_EQ(status.currentMessage(), QString());
    pages.setParent(nullptr);
}

TEST_F(PagesLookTest, SwitchedOffFieldShowsTheButtonFace)
{
    QPalette palette = QApplication::palette();
    const QPalette original = palette;
    palette.setColor(QPalette::Button, QColor(200, 220, 180));
    QApplication::setPalette(palette);
    {
        FormPages tinted(editor());
        tinted.resize(647, 346);
        tinted.setCurrentIndex(1);
        tinted.show();
        QLineEdit& power = *tinted.edit(ConverterP0Edit);
        ASSERT_FALSE(power.isEnabled()) << "a new model has no converter";
        const QPoint blank(power.width() - 6, power.height() / 2);
        EXPECT_EQ(pixelAt(power, blank), QColor(200, 220, 180));
        EXPECT_NE(pixelAt(*tinted.edit(ConverterU0Edit), blank), QColor(200, 220, 180));
    }
    QApplication::setPalette(original);
}

TEST_F(PagesLookTest, MarkedReferencePointIsBlue)
{
    QWidget& page = showPage(EditorPage::ControllerPage);
    auto& diagram = *page.findChild<StructureDiagram*>();
    const QPoint speedPoint(193, 124);
    EXPECT_NE(pixelAt(diagram, speedPoint), QColor(0, 0, 255));
    editor().setText(KpwEdit, QStringLiteral("2"));
    EXPECT_EQ(pixelAt(diagram, speedPoint), QColor(0, 0, 255));
    EXPECT_NE(pixelAt(diagram, {17, 124}), QColor(0, 0, 255));
}

// The loop lines stand out from the face of a light style and of a dark one.
TEST_F(PagesLookTest, LoopLinesReadOnLightAndDarkFaces)
{
    const QPalette original = QApplication::palette();
    for (const auto& [face, text] : {std::pair{QColor(239, 239, 239), QColor(Qt::black)},
                                     std::pair{QColor(53, 53, 53), QColor(Qt::white)}}) {
        QPalette palette = original;
        palette.setColor(QPalette::Button, face);
        palette.setColor(QPalette::ButtonText, text);
        QApplication::setPalette(palette);
        FormPages styled(editor());
        styled.resize(647, 346);
        styled.setCurrentIndex(3);
        styled.show();
        const QColor line = pixelAt(*styled.findChild<StructureDiagram*>(), {5, 124});
        EXPECT_GT(std::abs(line.lightness() - face.lightness()), 90) << line.name().toStdString();
    }
    QApplication::setPalette(original);
}

// The window is fixed at 647 by 394 pixels with a tool bar and a status bar.
TEST_F(PagesLookTest, EveryPageFitsTheWindow)
{
    editor().setChecked(CheckBox::MotorRadioL, false); // the longest labels
    for (const EditorPage page : {EditorPage::MotorPage, EditorPage::ConverterPage,
                                  EditorPage::LoadPage, EditorPage::ControllerPage}) {
        const QWidget& shown = showPage(page);
        const QSize needed = shown.minimumSizeHint();
        EXPECT_LE(needed.width(), shown.width()) << shown.objectName().toStdString();
        EXPECT_LE(needed.height(), shown.height()) << shown.objectName().toStdString();
    }
}

TEST_F(PagesLookTest, ControllerBoxesHoldTheirFieldsUnclipped)
{
    QWidget& page = showPage(EditorPage::ControllerPage);
    for (const QGroupBox* group : page.findChildren<QGroupBox*>()) {
        const QSize needed = group->layout()->minimumSize();
        EXPECT_LE(needed.width(), group->width()) << group->objectName().toStdString();
        EXPECT_LE(needed.height(), group->height()) << group->objectName().toStdString();
    }
}

} // namespace
} // namespace kinetra::test
