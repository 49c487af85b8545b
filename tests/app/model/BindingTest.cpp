#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "WidgetTestSupport.h"
#include "model/ArrowButtons.h"
#include "text/KeyValueText.h"

namespace kinetra::test {
namespace {

using enum EditField;

class BindingTest : public ::testing::Test, protected PagesFixture {
protected:
    QLineEdit& edit(EditField field) { return *pages.edit(field); }
    QComboBox& list(const char* name) { return find<QComboBox>(QLatin1StringView(name)); }
};

// --- What the user does reaches the editor ---

TEST_F(BindingTest, TypingRunsTheEditorRulesOfTheField)
{
    showPage(EditorPage::ControllerPage);
    edit(KpwEdit).selectAll();
    QTest::keyClicks(&edit(KpwEdit), "2");
    EXPECT_EQ(editor().text(KpwEdit), QStringLiteral("2"));
    EXPECT_TRUE(editor().isMarked(ReferencePoint::wPointShape));
    EXPECT_EQ(find<QLabel>(QStringLiteral("refLabel")).text(), QStringLiteral("w Скорость, рад/с"));
}

TEST_F(BindingTest, BadEntryIsFramedAndExplainedUntilTyping)
{
    const QString hint = edit(LoadMcEdit).toolTip();
    const std::array bad{LoadMcEdit};
    editor().markBadEntries(bad);
    EXPECT_TRUE(edit(LoadMcEdit).styleSheet().contains(QStringLiteral("red")));
    EXPECT_EQ(edit(LoadMcEdit).toolTip(), editor().badEntryHint());

    QTest::keyClicks(&edit(LoadMcEdit), "5");
    EXPECT_TRUE(edit(LoadMcEdit).styleSheet().isEmpty());
    EXPECT_EQ(edit(LoadMcEdit).toolTip(), hint);
}

TEST_F(BindingTest, CutAndPasteChangeTheFieldAsTypingDoes)
{
    edit(TmaxEdit).selectAll();
    edit(TmaxEdit).insert(QStringLiteral("2,5"));
    EXPECT_EQ(editor().text(TmaxEdit), QStringLiteral("2,5"));
    edit(TmaxEdit).selectAll();
    edit(TmaxEdit).del();
    EXPECT_EQ(editor().text(TmaxEdit), QString());
}

TEST_F(BindingTest, CheckBoxClickSwitchesItsFieldsAndLabelsButKeepsTheirTexts)
{
    showPage(EditorPage::MotorPage);
    auto& stator = find<QCheckBox>(QStringLiteral("Motor1CheckBox"));
    clickIndicator(stator);
    EXPECT_TRUE(editor().isChecked(CheckBox::Motor1CheckBox));
    for (const char* name : {"MotorR1Edit", "MotorL1Edit"})
        EXPECT_TRUE(find<QLineEdit>(QLatin1StringView(name)).isEnabled()) << name;
    for (const char* name : {"MotorR1Label", "MotorL1Label"})
        EXPECT_TRUE(find<QLabel>(QLatin1StringView(name)).isEnabled()) << name;

    edit(MotorR1Edit).selectAll();
    QTest::keyClicks(&edit(MotorR1Edit), "5");
    clickIndicator(stator);
    EXPECT_FALSE(edit(MotorR1Edit).isEnabled());
    EXPECT_FALSE(find<QLabel>(QStringLiteral("MotorL1Label")).isEnabled());
    EXPECT_EQ(edit(MotorR1Edit).text(), QStringLiteral("5"));
}

TEST_F(BindingTest, RadioButtonsChooseTorqueOrCurrentControl)
{
    showPage(EditorPage::ControllerPage);
    auto& current = find<QRadioButton>(QStringLiteral("IRadioButton"));
    auto& torque = find<QRadioButton>(QStringLiteral("MRadioButton"));
    clickIndicator(current);
    EXPECT_FALSE(editor().torqueControl());
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("IpCroup")).title(), QStringLiteral(" I-регулятор "));
    clickIndicator(torque);
    EXPECT_TRUE(editor().torqueControl());
    EXPECT_FALSE(current.isChecked());
    EXPECT_EQ(find<QGroupBox>(QStringLiteral("IGroup")).title(), QStringLiteral(" M-датчик "));
}

TEST_F(BindingTest, ChoosingAnItemFromTheListRunsTheKindHandler)
{
    showPage(EditorPage::MotorPage);
    QComboBox& motors = list("MotorComboBox");
    motors.setFocus();
    QTest::keyClick(&motors, Qt::Key_Down);
    QTest::keyClick(&motors, Qt::Key_Down);
    EXPECT_EQ(editor().listIndex(ListBox::MotorComboBox), 1);
    EXPECT_FALSE(edit(ConverterF0Edit).isEnabled());
    EXPECT_EQ(edit(ConverterF0Edit).text(), QStringLiteral("50"));
    EXPECT_FALSE(find<QLabel>(QStringLiteral("ConverterF0Label")).isEnabled());
    EXPECT_TRUE(find<QRadioButton>(QStringLiteral("IRadioButton")).isChecked());
}

TEST_F(BindingTest, TypingAnItemsTextChoosesIt)
{
    showPage(EditorPage::LoadPage);
    QComboBox& gears = list("LoadComboBox");
    const QString worm = ModelEditor::listItems(ListBox::LoadComboBox).at(1);
    typeText(*gears.lineEdit(), worm.left(4));
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), -1);
    EXPECT_EQ(gears.currentText(), worm.left(4)) << "the typed text must stay while typing";

    typeText(*gears.lineEdit(), worm.mid(4));
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), 1);
    EXPECT_TRUE(edit(LoadTypeEdit).isEnabled());
}

TEST_F(BindingTest, TypingOverAChosenItemKeepsTheTypedText)
{
    showPage(EditorPage::LoadPage);
    QComboBox& gears = list("LoadComboBox");
    editor().chooseListItem(ListBox::LoadComboBox, 0);
    gears.lineEdit()->setFocus();
    QTest::keyClick(gears.lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(editor().listIndex(ListBox::LoadComboBox), -1);
    EXPECT_EQ(gears.currentText(), ModelEditor::listItems(ListBox::LoadComboBox).at(0).chopped(1));
    EXPECT_EQ(gears.lineEdit()->cursorPosition(), gears.currentText().size());
}

TEST_F(BindingTest, ArrowsAndArrowKeysStepTheirField)
{
    showPage(EditorPage::MotorPage);
    editor().chooseListItem(ListBox::MotorComboBox, 0);
    auto& arrows = find<ArrowButtons>(QStringLiteral("MotorPpUpDown"));
    ASSERT_TRUE(arrows.isEnabled());
    QToolButton* up = arrows.findChildren<QToolButton*>().at(0);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(edit(MotorPpEdit).text(), QStringLiteral("2"));

    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&edit(MotorPpEdit), Qt::Key_Up);
    EXPECT_EQ(edit(MotorPpEdit).text(), QStringLiteral("9"));
    QTest::keyClick(&edit(MotorM1Edit), Qt::Key_Down);
    EXPECT_EQ(edit(MotorM1Edit).text(), QStringLiteral("1"));

    EXPECT_FALSE(find<ArrowButtons>(QStringLiteral("ConverterM0UpDown")).isEnabled());
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    EXPECT_TRUE(find<ArrowButtons>(QStringLiteral("ConverterM0UpDown")).isEnabled());
}

TEST_F(BindingTest, TabsAndEditorShowTheSamePage)
{
    pages.setCurrentIndex(3);
    EXPECT_EQ(editor().currentPage(), EditorPage::ControllerPage);
    editor().showPage(EditorPage::LoadPage);
    EXPECT_EQ(pages.currentIndex(), 2);
}

// --- What the program changes is shown, and goes no further ---

TEST_F(BindingTest, ResetShowsTheNewPageState)
{
    editor().chooseListItem(ListBox::MotorComboBox, 0);
    editor().setChecked(CheckBox::Motor2CheckBox, true);
    editor().setText(MotorR2Edit, QStringLiteral("0,7"));
    editor().stepArrow(Arrow::MotorPpUpDown, 3);

    editor().ResetMotorPage();
    EXPECT_EQ(list("MotorComboBox").currentText(), QString());
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("Motor2CheckBox")).isChecked());
    EXPECT_FALSE(edit(MotorR2Edit).isEnabled());
    EXPECT_EQ(edit(MotorR2Edit).text(), QStringLiteral("0"));
    EXPECT_EQ(edit(MotorPpEdit).text(), QStringLiteral("1"));
    EXPECT_EQ(edit(MotorM1Edit).text(), QStringLiteral("2"));
}

TEST_F(BindingTest, FillingChoosesListItemsWithoutRunningTheKindHandler)
{
    const KeyValueText model{QStringLiteral("Type=DM"), QStringLiteral("R1=1,5"),
                             QStringLiteral("X1=4"), QStringLiteral("Kpw=3")};
    const Status filled = editor().FillPages(model);
    ASSERT_TRUE(filled.ok) << qPrintable(filled.error);

    EXPECT_EQ(list("MotorComboBox").currentIndex(), 1);
    EXPECT_EQ(list("MotorComboBox").currentText(),
              ModelEditor::listItems(ListBox::MotorComboBox).at(1));
    EXPECT_TRUE(edit(ConverterF0Edit).isEnabled()) << "the widget echoed the choice as the user's";
    EXPECT_TRUE(find<QCheckBox>(QStringLiteral("Motor1CheckBox")).isChecked());
    EXPECT_EQ(edit(MotorR1Edit).text(), QStringLiteral("1,5"));
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("MotorRadioL")).isChecked());
    EXPECT_EQ(find<QLabel>(QStringLiteral("MotorL1Label")).text(),
              QStringLiteral("X1 Индуктивное сопротивление, Ом"));
    EXPECT_EQ(edit(KpwEdit).text(), QStringLiteral("3"));
}

TEST_F(BindingTest, SteppedFieldKeepsTheCaretWhereTheUserPutIt)
{
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(&edit(ConverterM0Edit), Qt::Key_Up);
    EXPECT_EQ(edit(ConverterM0Edit).text(), QStringLiteral("10"));
    EXPECT_EQ(edit(ConverterM0Edit).cursorPosition(), 2) << "a caret at the end stays there";

    edit(ConverterM0Edit).setCursorPosition(1);
    QTest::keyClick(&edit(ConverterM0Edit), Qt::Key_Up);
    EXPECT_EQ(edit(ConverterM0Edit).text(), QStringLiteral("11"));
    EXPECT_EQ(edit(ConverterM0Edit).cursorPosition(), 1);
}

TEST_F(BindingTest, FieldHintedByItsLabelFollowsTheRenamedLabel)
{
    editor().setChecked(CheckBox::MotorRadioL, false);
    EXPECT_EQ(edit(MotorL12Edit).toolTip(), QStringLiteral("X12 Сопротивление намагничивания, Ом"));
    EXPECT_EQ(edit(MotorL12Edit).statusTip(), edit(MotorL12Edit).toolTip());
    editor().chooseTorqueControl(true);
    EXPECT_EQ(edit(KpIEdit).toolTip(),
              QStringLiteral("Коэффициент передачи регулятора тока (момента)"));
}

TEST_F(BindingTest, PagesBuiltLaterShowTheEditorsState)
{
    editor().chooseListItem(ListBox::MotorComboBox, 1);
    editor().setText(KpIEdit, QStringLiteral("5"));
    FormPages later(editor());
    EXPECT_FALSE(later.edit(ConverterF0Edit)->isEnabled());
    EXPECT_EQ(later.edit(KpIEdit)->text(), QStringLiteral("5"));
    EXPECT_EQ(later.findChild<QComboBox*>(QStringLiteral("MotorComboBox"))->currentIndex(), 1);
    EXPECT_EQ(later.findChild<QGroupBox*>(QStringLiteral("IGroup"))->title(),
              QStringLiteral(" I-датчик "));
}

} // namespace
} // namespace kinetra::test
