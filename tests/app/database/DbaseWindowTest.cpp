#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "../../database/TestCatalogue.h"
#include "../shell/ShellFixture.h"
#include "Shell.h"
#include "database/DbaseWindow.h"
#include "database/FetchProgress.h"
#include "model/ModelWindow.h"
#include "settings/OptionsWindow.h"
#include "shell/Folders.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

using Move = CatalogueBrowser::RecordMove;

// The program in a working directory of its own, which may hold a catalogue.
class DbaseWindowTest : public ShellFixture {
protected:
    // Opens the catalogue with F7 from the model window. From then on every change of the grid's
    // model is checked for the model rules: a breach ends the test program.
    void openCatalogue()
    {
        WriteCatalogue(QStringLiteral("Kinetra.mdb"), MotorCatalogue());
        activate(shell.modelWindow());
        press(Qt::Key_F7);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
        modelTester = std::make_unique<QAbstractItemModelTester>(
            grid().model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    DbaseWindow& window() { return shell.dbaseWindow(); }
    QTableView& grid() { return *window().grid(); }
    QString panel(int index)
    {
        return window().findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(index))->text();
    }
    void chooseCell(int row, int column)
    {
        grid().setFocus();
        grid().setCurrentIndex(grid().model()->index(row, column));
    }
    QAction* action(Command command) { return shell.actions().action(command); }
    // Whether first, prior, next and last can be pressed.
    std::vector<bool> navigatorEnabled()
    {
        std::vector<bool> enabled;
        for (QAction* button :
             window().findChild<QToolBar*>(QStringLiteral("bdDBNavigator"))->actions())
            enabled.push_back(button->isEnabled());
        return enabled;
    }

    std::unique_ptr<QAbstractItemModelTester> modelTester;
};

// The first F7 without a catalogue in the working folder names the missing file in the
// program's own words and offers a way to put a catalogue in place.
TEST_F(DbaseWindowTest, MissingCatalogueGivenUpOpensTheSettingsShowingTheirText)
{
    activate(shell.modelWindow());
    prompts.choices = {QStringLiteral("Отмена")};
    press(Qt::Key_F7);
    ASSERT_EQ(prompts.questions.size(), 1);
    const QString question = prompts.questions.first();
    EXPECT_TRUE(question.contains(
        QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("Kinetra.mdb")))));
    EXPECT_FALSE(question.contains(QStringLiteral("Jet")));
    EXPECT_EQ(prompts.offeredButtons,
              (QStringList{QStringLiteral("Выбрать каталог..."),
                           QStringLiteral("Скопировать образец"), QStringLiteral("Отмена")}));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_FALSE(window().isVisible());
    ASSERT_TRUE(shell.optionsWindow().isVisible());
    const auto* text =
        shell.optionsWindow().findChild<QPlainTextEdit*>(QStringLiteral("oFileEdit"));
    EXPECT_EQ(text->toPlainText(), shell.settings().settings().join(u'\n'));
}

TEST_F(DbaseWindowTest, MissingCatalogueIsCopiedFromTheSampleOrChosen)
{
    WriteCatalogue(QStringLiteral("own.db"), MotorCatalogue());
    const QString own = QDir::current().absoluteFilePath(QStringLiteral("own.db"));
    for (const auto& [button, catalogueFile] :
         {std::pair{u"Выбрать каталог...", QStringLiteral("own.db")},
          std::pair{u"Скопировать образец", QStringLiteral("Kinetra.mdb")}}) {
        ScriptedPrompts answers;
        answers.choices = {QString::fromUtf16(button)};
        answers.files = {own};
        QDir().remove(QStringLiteral("Kinetra.ini"));
        // A program of its own, which starts without a settings file, as the first start does.
        Shell program{u',', {}, answers, answers};
        activate(program.modelWindow());
        program.actions().action(Command::aDbase)->trigger();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&program.dbaseWindow()))
            << catalogueFile.toStdString();
        EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join(u'\n').toStdString();
        EXPECT_TRUE(QFileInfo::exists(catalogueFile));
        // The next start finds the catalogue that was put in place.
        const QString connection = ReadKey(ReadTextFile(QStringLiteral("Kinetra.ini")).value,
                                           QStringLiteral("Connection"));
        EXPECT_TRUE(QFileInfo(connection.section(u'=', -1)).fileName() == catalogueFile)
            << connection.toStdString();
    }
}

TEST_F(DbaseWindowTest, OpensOnTheFirstTableAndKeepsItsPlaceOnReturn)
{
    openCatalogue();
    EXPECT_EQ(window().windowTitle(), QStringLiteral("База данных Kinetra "));
    EXPECT_EQ(window().tableSelector()->currentText(), QStringLiteral("Двигатели"));
    EXPECT_EQ(window().tableSelector()->count(), 2);
    EXPECT_EQ(panel(1), QStringLiteral("1/25"));
    EXPECT_EQ(grid().model()->rowCount(), 25);
    EXPECT_EQ(grid().model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("▶"));

    chooseCell(6, 1);
    EXPECT_EQ(panel(1), QStringLiteral("7/25"));
    activate(shell.modelWindow());
    press(Qt::Key_F7);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    EXPECT_EQ(panel(1), QStringLiteral("7/25"));
    EXPECT_EQ(grid().currentIndex().row(), 6);
}

TEST_F(DbaseWindowTest, RecordEntriesMoveTheGridAndStopAtTheEnds)
{
    openCatalogue();
    window().recordEntry(Move::Prior)->trigger();
    EXPECT_EQ(panel(1), QStringLiteral("1/25"));
    window().recordEntry(Move::Last)->trigger();
    EXPECT_EQ(panel(1), QStringLiteral("25/25"));
    EXPECT_EQ(grid().currentIndex().row(), 24);
    window().recordEntry(Move::Next)->trigger();
    EXPECT_EQ(panel(1), QStringLiteral("25/25"));
    window().recordEntry(Move::First)->trigger();
    window().recordEntry(Move::Next)->trigger();
    EXPECT_EQ(panel(1), QStringLiteral("2/25"));
}

TEST_F(DbaseWindowTest, AnyCharacterKeyOnAMemoShowsIt)
{
    openCatalogue();
    chooseCell(2, 4);
    EXPECT_EQ(panel(0), QStringLiteral("Двойной щелчок или Enter"));
    QTest::keyClick(&grid(), Qt::Key_A);
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Обмотка класса F")});
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(prompts.messages.size(), 2);
    chooseCell(2, 0);
    QTest::keyClick(&grid(), Qt::Key_A);
    EXPECT_EQ(prompts.messages.size(), 2) << "not a memo";
}

TEST_F(DbaseWindowTest, SortCommandAlternatesItsIconAndOrder)
{
    openCatalogue();
    chooseCell(0, 2);
    const QImage ascending = action(Command::aSort)->icon().pixmap(16).toImage();
    action(Command::aSort)->trigger();
    EXPECT_EQ(grid().model()->index(0, 2).data().toString(), QStringLiteral("100"));
    EXPECT_NE(action(Command::aSort)->icon().pixmap(16).toImage(), ascending);
    action(Command::aSort)->trigger();
    EXPECT_EQ(grid().model()->index(0, 2).data().toString(), QStringLiteral("124"));
    EXPECT_EQ(action(Command::aSort)->icon().pixmap(16).toImage(), ascending);
}

TEST_F(DbaseWindowTest, ClickOnAColumnTitleSortsByItAndShowsTheDirection)
{
    openCatalogue();
    QHeaderView& titles = *grid().horizontalHeader();
    EXPECT_EQ(titles.sortIndicatorSection(), -1) << "the stored order at first";
    const auto clickTitle = [&](int column) {
        QTest::mouseClick(titles.viewport(), Qt::LeftButton, {},
                          QPoint(titles.sectionViewportPosition(column) + 5, titles.height() / 2));
    };
    clickTitle(2);
    EXPECT_EQ(grid().model()->index(0, 2).data().toString(), QStringLiteral("100"));
    EXPECT_EQ(titles.sortIndicatorSection(), 2);
    EXPECT_EQ(titles.sortIndicatorOrder(), Qt::AscendingOrder);
    clickTitle(2);
    EXPECT_EQ(grid().model()->index(0, 2).data().toString(), QStringLiteral("124"));
    EXPECT_EQ(titles.sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(DbaseWindowTest, SelectorSwitchesTablesAndShowsQueryMode)
{
    openCatalogue();
    window().tableSelector()->setCurrentIndex(1);
    emit window().tableSelector()->activated(1);
    EXPECT_EQ(panel(1), QStringLiteral("1/2"));
    EXPECT_EQ(grid().model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Gear"));
    ASSERT_TRUE(
        shell.catalogue().runQuery(QStringLiteral("SELECT \"Motor\" FROM \"Двигатели\"")).ok);
    EXPECT_EQ(window().tableSelector()->currentIndex(), -1);
    EXPECT_EQ(window().tableSelector()->placeholderText(), QStringLiteral("Запрос"));
    EXPECT_EQ(grid().model()->columnCount(), 1);
    EXPECT_EQ(navigatorEnabled(), (std::vector<bool>{false, false, true, true}));
    window().recordEntry(Move::Last)->trigger();
    EXPECT_EQ(navigatorEnabled(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(DbaseWindowTest, SendToModelTransfersTheCurrentRecord)
{
    WriteCatalogue(QStringLiteral("Kinetra.mdb"),
                   {QStringLiteral("CREATE TABLE \"АД\" (\"Motor\" VARCHAR(20), \"R1\" DOUBLE "
                                   "PRECISION, \"L1\" DOUBLE PRECISION, \"R2\" DOUBLE PRECISION, "
                                   "\"L2\" DOUBLE PRECISION, \"L12\" DOUBLE PRECISION, \"w\" "
                                   "INTEGER, \"P\" INTEGER, \"U\" INTEGER, \"J\" DOUBLE PRECISION, "
                                   "\"I\" DOUBLE PRECISION)"),
                    QStringLiteral("INSERT INTO \"АД\" VALUES ('АИР132M4', 0.4, 0.0021, 0.31, "
                                   "0.0033, 0.09, 150, 11000, 220, 0.04, 22.5)")});
    activate(shell.modelWindow());
    press(Qt::Key_F7);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    action(Command::aToModel)->trigger();
    const KeyValueText& text = shell.session().modelText();
    EXPECT_EQ(ReadKey(text, QStringLiteral("Motor")), QStringLiteral("АИР132M4"));
    EXPECT_EQ(ReadKey(text, QStringLiteral("Type")), QStringLiteral("AM"));
    EXPECT_EQ(ReadKey(text, QStringLiteral("p1")), QStringLiteral("2"));
    EXPECT_EQ(ReadKey(text, QStringLiteral("m1")), QStringLiteral("3"));
    EXPECT_EQ(ReadKey(text, QStringLiteral("I")), QStringLiteral("22,5"));
    EXPECT_EQ(shell.session().editor().text(EditField::MotorJEdit), QStringLiteral("0,04"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(DbaseWindowTest, SaveAsWritesTheTableAsXmlAndMovesTheReportsFolder)
{
    openCatalogue();
    QTemporaryDir other;
    const QString path = other.filePath(QStringLiteral("motors.xml"));
    prompts.files.push_back(path);
    action(Command::aSaveAs)->trigger();
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("Сохранение таблицы")});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()).count(QStringLiteral("<record>")), 25);
    EXPECT_EQ(shell.settings().folders().ReportsFolder, FolderOf(path));
}

// A long fetch shows the busy dialog over the window that started it; its stop button ends the
// fetch, and the dialog goes with it.
TEST(FetchProgressTest, StopButtonEndsALongFetch)
{
    QWidget starter;
    starter.show();
    starter.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&starter));
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("Kinetra.mdb"));
    WriteCatalogue(path, MotorCatalogue());
    Catalogue catalogue(u',');
    ASSERT_TRUE(catalogue.open(QStringLiteral("Provider=SQLite;Data Source=") + path).ok);
    catalogue.setFetchLimits({std::chrono::milliseconds(60000), qsizetype(1) << 40});
    FetchProgress progress;
    catalogue.setFetchWait(&progress);
    bool shown = false;
    QTimer stopper;
    stopper.setInterval(50);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!progress.dialog() || !progress.dialog()->isVisible())
            return;
        shown = true;
        EXPECT_EQ(progress.dialog()->parentWidget(), &starter);
        progress.dialog()->findChild<QPushButton*>()->click();
    });
    stopper.start();

    EXPECT_EQ(catalogue
                  .openQuery(QStringLiteral("WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT "
                                            "x+1 FROM c) SELECT x FROM c"))
                  .error,
              QStringLiteral("Запрос остановлен."));
    EXPECT_TRUE(shown);
    EXPECT_EQ(progress.dialog(), nullptr);
}

} // namespace
} // namespace kinetra::test
