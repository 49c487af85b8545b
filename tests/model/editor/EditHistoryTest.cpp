#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/RecordTransfer.h"

namespace kinetra::test {
namespace {

using enum EditField;

class EditHistoryTest : public ::testing::Test, protected NewModelFixture {
protected:
    EditHistory& history() { return session.history(); }
    KeyValueText collected()
    {
        EXPECT_TRUE(session.CollectModel());
        return session.modelText();
    }
};

// Every kind of step, undone one by one back to the new model and redone to the end, gives the
// very model text each step had left.
TEST_F(EditHistoryTest, UndoAndRedoWalkBackAndForthThroughTheExactModelTexts)
{
    std::vector<KeyValueText> texts{collected()};
    const std::vector<std::function<void()>> steps{
        [this] {
            // Keys typed into one field in a row are one step.
            for (const char* typed : {"2", "22", "220"})
                editor().setText(MotorUEdit, QLatin1String(typed));
        },
        [this] { editor().chooseListItem(ListBox::MotorComboBox, 1); },
        [this] { editor().setChecked(CheckBox::Motor1CheckBox, true); },
        [this] { editor().setText(KpwEdit, QStringLiteral("2")); },
        [this] {
            RecordTransfer(session, messages)
                .aToModelExecute({{"Motor", "4ПФ112"}, {"R", "0,9"}, {"U", "440"}});
            history().commit();
        },
        [this] { editor().setText(MotorUEdit, QStringLiteral("380")); },
    };
    for (const auto& step : steps) {
        step();
        texts.push_back(collected());
    }
    ASSERT_NE(texts.front(), texts.back());
    for (std::size_t i = texts.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history().canUndo()) << i;
        history().undo();
        EXPECT_EQ(collected(), texts[i - 1]) << "undo to step " << i - 1;
    }
    EXPECT_FALSE(history().canUndo());
    EXPECT_FALSE(session.hasUnsavedChanges());
    for (std::size_t i = 1; i < texts.size(); ++i) {
        ASSERT_TRUE(history().canRedo()) << i;
        history().redo();
        EXPECT_EQ(collected(), texts[i]) << "redo to step " << i;
    }
    EXPECT_FALSE(history().canRedo());
    EXPECT_TRUE(session.hasUnsavedChanges());
}

TEST_F(EditHistoryTest, NewEditDropsTheRedoStepsAndLoadingStartsAfresh)
{
    const QString fresh = editor().text(MotorUEdit);
    editor().setText(MotorUEdit, QStringLiteral("220"));
    editor().setText(MotorIEdit, QStringLiteral("10"));
    history().undo();
    ASSERT_TRUE(history().canRedo());
    editor().setText(MotorPEdit, QStringLiteral("5"));
    EXPECT_FALSE(history().canRedo());
    session.NewModel();
    EXPECT_FALSE(history().canUndo());
    EXPECT_EQ(editor().text(MotorUEdit), fresh);
}

} // namespace
} // namespace kinetra::test
