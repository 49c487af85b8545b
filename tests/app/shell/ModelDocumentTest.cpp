#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "ScriptedPrompts.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "shell/Folders.h"
#include "shell/ModelDocument.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

using Answer = UserPrompts::Answer;

class SilentMessages final : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

class ModelDocumentTest : public ::testing::Test {
protected:
    ModelDocumentTest() { session.NewModel(); }

    void changeModel() { session.editor().setText(EditField::MotorUEdit, QStringLiteral("220")); }
    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    QStringList fileLines(const char* name) const { return ReadTextFile(path(name)).value; }

    QTemporaryDir folder;
    SilentMessages sink;
    ModelSession session{u',', sink};
    Folders folders;
    ScriptedPrompts prompts;
    ModelDocument document{session, folders, prompts};
};

TEST_F(ModelDocumentTest, StartsUnchangedWithTheStartCaption)
{
    EXPECT_EQ(document.caption(), QStringLiteral("Модель Kinetra "));
    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(document.CloseQuestion());
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Kinetra|Завершить работу?")});
}

TEST_F(ModelDocumentTest, NoToTheCloseQuestionKeepsRunningWithoutCollecting)
{
    session.editor().setText(EditField::MotorUEdit, QStringLiteral("bad"));
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.CloseQuestion());
    EXPECT_EQ(prompts.questions.size(), 1);
}

TEST_F(ModelDocumentTest, ChangedModelCancelledAtTheSaveQuestionKeepsRunning)
{
    changeModel();
    prompts.answers = {Answer::Yes, Answer::Cancel};
    EXPECT_FALSE(document.CloseQuestion());
    EXPECT_EQ(prompts.questions.value(1),
              QStringLiteral("Текст изменен|Сохранить изменения в модели  ?"));
    EXPECT_EQ(session.editor().text(EditField::MotorUEdit), QStringLiteral("220"));
}

TEST_F(ModelDocumentTest, YesToSaveThenCancelledDialogKeepsTheChangedModel)
{
    changeModel();
    prompts.answers = {Answer::Yes, Answer::Yes};
    prompts.files = {std::nullopt};
    EXPECT_FALSE(document.CloseQuestion());
    EXPECT_TRUE(document.SaveQuestionCancelled);

    prompts.answers = {Answer::Yes};
    prompts.files = {std::nullopt};
    document.New();
    EXPECT_EQ(session.editor().text(EditField::MotorUEdit), QStringLiteral("220"))
        << "New must not discard a model whose save did not happen";
}

TEST_F(ModelDocumentTest, YesToSaveWritesTheNeverSavedModelAndEnds)
{
    changeModel();
    prompts.answers = {Answer::Yes, Answer::Yes};
    prompts.files = {path("drive.kmf")};
    EXPECT_TRUE(document.CloseQuestion());
    EXPECT_TRUE(fileLines("drive.kmf").contains(QStringLiteral("U=220")));
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("Сохранение модели")});
}

TEST_F(ModelDocumentTest, SavedModelReopensWithTheSameText)
{
    changeModel();
    prompts.files = {path("drive.kmf")};
    ASSERT_TRUE(document.SaveAs());
    EXPECT_EQ(document.caption(), QStringLiteral("Модель Kinetra: drive.kmf"));
    EXPECT_EQ(folders.ModelsFolder, FolderOf(path("drive.kmf")));
    const KeyValueText saved = session.modelText();

    document.New();
    EXPECT_TRUE(prompts.questions.isEmpty()) << "a saved model counts as unchanged";
    EXPECT_EQ(document.caption(), QStringLiteral("Модель Kinetra"));

    prompts.files = {path("drive.kmf")};
    document.Open();
    EXPECT_EQ(session.modelText(), saved);
    EXPECT_EQ(session.savedText(), saved);
    EXPECT_EQ(session.ModelFileName(), path("drive.kmf"));
    EXPECT_EQ(document.caption(), QStringLiteral("Модель Kinetra: drive.kmf"));
}

// Save As proposes the model file's name, or for a new model its motor's name fit for a file.
TEST_F(ModelDocumentTest, SaveAsProposesTheFileNameOrTheMotorsName)
{
    for (const auto& [motor, proposed] :
         {std::pair{"", "Модель.kmf"},
          std::pair{"ПБВ100М 1,5 кВт 3000 об/мин", "ПБВ100М 1,5 кВт 3000 об-мин.kmf"},
          std::pair{" ..\\a:b*c?\"<d>|e\t. ", "-a-b-c---d--e-.kmf"}}) {
        session.editor().setText(EditField::MotorTypeEdit, QString::fromUtf8(motor));
        prompts.files = {std::nullopt};
        document.SaveAs();
        EXPECT_EQ(prompts.proposedNames.constLast(), QString::fromUtf8(proposed)) << motor;
    }
    prompts.files = {path("drive.kmf"), std::nullopt};
    ASSERT_TRUE(document.SaveAs());
    document.SaveAs();
    EXPECT_EQ(prompts.proposedNames.constLast(), QStringLiteral("drive.kmf"));
}

TEST_F(ModelDocumentTest, OpenWithAChangedModelFollowsTheAnswer)
{
    ASSERT_TRUE(WriteTextFile(path("other.kmf"), {QStringLiteral("U=110")}).ok);

    changeModel();
    prompts.files = {path("other.kmf")};
    prompts.answers = {Answer::Cancel};
    document.Open();
    EXPECT_EQ(session.editor().text(EditField::MotorUEdit), QStringLiteral("220"));
    EXPECT_FALSE(document.SaveQuestionCancelled);

    prompts.files = {path("other.kmf")};
    prompts.answers = {Answer::No};
    document.Open();
    EXPECT_EQ(session.editor().text(EditField::MotorUEdit), QStringLiteral("110"));
}

TEST_F(ModelDocumentTest, OverwriteNeedsAYes)
{
    ASSERT_TRUE(WriteTextFile(path("kept.kmf"), {QStringLiteral("old")}).ok);
    prompts.files = {path("kept.kmf")};
    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.SaveAs());
    EXPECT_EQ(prompts.questions.value(0),
              QStringLiteral("Текст изменен|Перезаписать файл kept.kmf ?"));
    EXPECT_EQ(fileLines("kept.kmf"), QStringList{QStringLiteral("old")});
}

TEST_F(ModelDocumentTest, FailedSaveKeepsTheModelChanged)
{
    changeModel();
    prompts.files = {path("missing-folder/drive.kmf")};
    EXPECT_FALSE(document.SaveAs());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Не сохранить файл drive.kmf\n")))
        << prompts.messages[0].toStdString();
    EXPECT_GT(prompts.messages[0].size(), QStringLiteral("Не сохранить файл drive.kmf\n").size())
        << "the system's reason follows";
    EXPECT_TRUE(session.ModelFileName().isEmpty()) << "the failed path is not the model's file";
    prompts.dialogTitles.clear();
    EXPECT_FALSE(document.Save());
    EXPECT_EQ(prompts.dialogTitles.size(), 1) << "Save asks for a file again";

    prompts.answers = {Answer::Yes, Answer::No};
    EXPECT_TRUE(document.CloseQuestion()) << "the change is still there to be asked about";
    EXPECT_EQ(prompts.questions.size(), 2);
}

TEST_F(ModelDocumentTest, UnreadableFileLeavesACleanNewModel)
{
    ASSERT_TRUE(WriteTextFile(path("broken.kmf"), {QStringLiteral("p1=2,5")}).ok);
    prompts.files = {path("broken.kmf")};
    document.Open();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Не открыть файл broken.kmf\n")));
    EXPECT_TRUE(session.ModelFileName().isEmpty());
    EXPECT_EQ(document.caption(), QStringLiteral("Модель Kinetra"));
    EXPECT_EQ(session.modelText(), session.savedText());
}

// A picture, a binary or a stray text opened by mistake would be overwritten by the next Save,
// and so would the rest of a model cut short at a NUL or the second line of a key given twice:
// each is refused, the file stays as it is and the model the user has is kept.
TEST_F(ModelDocumentTest, FileThatHoldsNoSoundModelIsRefusedAndTheModelKept)
{
    const struct {
        QByteArray content;
        const char* reason; // when the refusal's words are the point
    } refused[] = {
        {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), nullptr},
        {QByteArray("\x01\x02\xff\xfe=\x80", 6), nullptr},
        {"Shopping list\r\nR1 =5\r\nbread=2\r\n", nullptr},
        {"[Desktop Entry]\r\nType=Application\r\nName=Notes\r\n", nullptr},
        {QByteArray("[Motor]\r\nR1=0,5\r\nL1=\0\r\nU=220\r\n", 32),
         "Нулевой байт в строке 3: файл не текстовый"},
        {"[Motor]\r\nR1=\r\nU=220\r\nR1=0,5\r\n", "Параметр \"R1\" задан дважды (строки 2 и 4)"},
    };
    session.setModelFileName(path("mine.kmf"));
    changeModel();
    const auto fileBytes = [this] {
        QFile file(path("other.png"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    for (const auto& [content, reason] : refused) {
        QFile file(path("other.png"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        prompts.files = {path("other.png")};
        prompts.messages.clear();
        document.Open();
        ASSERT_EQ(prompts.messages.size(), 1) << content.toStdString();
        EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Не открыть файл other.png\n")));
        if (reason) {
            EXPECT_EQ(prompts.messages[0],
                      QStringLiteral("Не открыть файл other.png\n") + QString::fromUtf8(reason));
        }
        EXPECT_TRUE(prompts.questions.isEmpty()) << "nothing is asked before the file is read";
        EXPECT_EQ(session.ModelFileName(), path("mine.kmf"));
        EXPECT_EQ(session.editor().text(EditField::MotorUEdit), QStringLiteral("220"));
        EXPECT_EQ(fileBytes(), content);
    }
    prompts.messages.clear();
    document.OpenFromCommandLine(path("other.png"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Не открыть файл other.png\n")));
    EXPECT_TRUE(session.ModelFileName().isEmpty()) << "Save must not replace it";
}

// A model an editor saved in UTF-8, with its mark or without, opens with its names as written
// and says so once; Save writes it in Windows-1251, a character that has no place there as "?".
TEST_F(ModelDocumentTest, Utf8ModelOpensWithANoticeAndIsSavedInWindows1251)
{
    QStringList notices;
    QObject::connect(&document, &ModelDocument::noticeShown,
                     [&notices](const QString& notice) { notices << notice; });
    const QString fits = QStringLiteral("Файл модели в кодировке UTF-8 прочитан в ней; сохраняется "
                                        "модель в windows-1251");
    const struct {
        QByteArray mark;
        QString name;
        QByteArray saved;
        QString notice;
    } cases[] = {
        {"\xEF\xBB\xBF", QStringLiteral("АИР80 №1"), "\xC0\xC8\xD0\x38\x30 \xB9\x31", fits},
        {"", QStringLiteral("АИР80 中"), "\xC0\xC8\xD0\x38\x30 ?",
         fits + QStringLiteral(", а знаки, которых там нет, записываются как \"?\"")},
    };
    for (const auto& [mark, name, saved, notice] : cases) {
        QFile file(path("utf8.kmf"));
        const QByteArray content =
            mark + "[Motor]\r\nMotor=" + name.toUtf8() + "\r\nType=DM\r\nU=220\r\n";
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        notices.clear();
        prompts.files = {path("utf8.kmf")};
        ASSERT_TRUE(document.OpenFile(path("utf8.kmf")));
        EXPECT_EQ(notices, QStringList{notice});
        EXPECT_EQ(session.editor().text(EditField::MotorTypeEdit), name);
        ASSERT_TRUE(document.Save());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        file.close();
        EXPECT_TRUE(written.startsWith("[Motor]\r\nMotor=" + saved + "\r\n"))
            << written.toStdString();
    }
}

TEST_F(ModelDocumentTest, EmptyFileOrAnyTemplateLineOpensAsAModel)
{
    for (const QStringList& lines :
         {QStringList{}, QStringList{QStringLiteral("[controller]")}, QStringList{"u=110"}}) {
        ASSERT_TRUE(WriteTextFile(path("model.kmf"), lines).ok);
        prompts.files = {path("model.kmf")};
        document.Open();
        EXPECT_TRUE(prompts.messages.isEmpty()) << lines.join(u'|').toStdString();
        EXPECT_EQ(session.ModelFileName(), path("model.kmf"));
    }
}

TEST_F(ModelDocumentTest, NewClearsTheResults)
{
    int cleared = 0;
    int forgotten = 0;
    QObject::connect(&document, &ModelDocument::resultsCleared, [&] { ++cleared; });
    QObject::connect(&document, &ModelDocument::lastRunForgotten, [&] { ++forgotten; });
    document.New();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(forgotten, 1);
}

} // namespace
} // namespace kinetra::test
