#include <gtest/gtest.h>

#include <functional>

#include "CascadeTuner.h"
#include "EditorTestSupport.h"
#include "editor/ControllerTuning.h"
#include "text/NumberText.h"

namespace kinetra::test {
namespace {

class ControllerTuningTest : public ::testing::Test, protected NewModelFixture {
protected:
    KeyValueText collected()
    {
        EXPECT_TRUE(session.CollectModel());
        return session.modelText();
    }
};

// The keys the tuner sets on a hand-tuned drive stand in their fields as it gives them, and one
// undo takes them all back; tuning the tuned drive again makes no further step.
TEST_F(ControllerTuningTest, TunedKeysFillTheirFieldsAsOneEdit)
{
    ASSERT_TRUE(session
                    .LoadModelFile(
                        QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf"))
                    .ok);
    editor().setText(EditField::KpwEdit, QStringLiteral("60"));
    editor().setText(EditField::KpIEdit, QStringLiteral("0,15"));
    session.history().restart();
    const KeyValueText before = collected();
    const std::vector<ModelKey> keys = TunedKeys(TuneCascade(session.params()));
    ASSERT_FALSE(keys.empty());

    EXPECT_TRUE(ControllerTuning(session, messages).Tune());
    for (const ModelKey& key : keys) {
        const auto field = ModelEditor::controllerField(QString::fromStdString(key.key));
        ASSERT_TRUE(field) << key.key;
        EXPECT_EQ(editor().text(*field), FormatNumber(key.value, u',')) << key.key;
    }
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.front().startsWith(QStringLiteral("Регуляторы настроены")));
    const KeyValueText tuned = collected();
    EXPECT_NE(tuned, before);
    EXPECT_TRUE(ControllerTuning(session, messages).Tune());
    EXPECT_EQ(collected(), tuned);

    session.history().undo();
    EXPECT_EQ(collected(), before);
    EXPECT_FALSE(session.history().canUndo());
}

// A model without a motor, and one whose loops are all switched off: the reason is shown and
// nothing is there to undo.
TEST_F(ControllerTuningTest, RefusalSaysWhyAndChangesNoField)
{
    const auto noLoops = [this] {
        ASSERT_TRUE(
            session
                .LoadModelFile(QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-transistor-speed.kmf"))
                .ok);
        for (const EditField gain : {EditField::KpfEdit, EditField::KpwEdit, EditField::KpIEdit})
            editor().setText(gain, QStringLiteral("0"));
        session.history().restart();
    };
    for (const auto& prepare :
         {std::function<void()>([this] { session.NewModel(); }), std::function<void()>(noLoops)}) {
        prepare();
        messages.messages.clear();
        const ModelEditor::State before = editor().state();

        EXPECT_FALSE(ControllerTuning(session, messages).Tune());
        EXPECT_EQ(editor().state(), before);
        EXPECT_FALSE(session.history().canUndo());
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_TRUE(
            messages.messages.front().startsWith(QStringLiteral("Регуляторы не настроены: ")))
            << messages.messages.front().toStdString();
    }
}

} // namespace
} // namespace kinetra::test
