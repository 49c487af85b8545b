#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "../../database/TestCatalogue.h"
#include "LatinTranslation.h"
#include "Shell.h"
#include "ShellFixture.h"
#include "database/ConnectionDialog.h"
#include "database/DbaseWindow.h"
#include "editor/SeparatorFallback.h"
#include "model/FormPages.h"
#include "model/ModelWindow.h"
#include "report/ReportCommands.h"
#include "report/ReportPreview.h"
#include "results/ResultWindow.h"
#include "settings/OptionsWindow.h"
#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/InterfaceTranslation.h"
#include "signals/SignalWindow.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

using Answer = UserPrompts::Answer;

class ShellTest : public ShellFixture {
protected:
    QLineEdit& edit(EditField field) { return *shell.modelWindow().pages()->edit(field); }
    void focus(EditField field)
    {
        activate(shell.modelWindow());
        edit(field).setFocus();
        QApplication::processEvents();
    }
};

TEST_F(ShellTest, StartsWithTheModelWindowAloneOnTheMotorPage)
{
    EXPECT_TRUE(shell.modelWindow().isVisible());
    EXPECT_FALSE(shell.resultWindow().isVisible());
    EXPECT_FALSE(shell.dbaseWindow().isVisible());
    EXPECT_FALSE(shell.optionsWindow().isVisible());
    EXPECT_FALSE(shell.signalWindow().isVisible());
    EXPECT_EQ(shell.modelWindow().windowTitle(), QStringLiteral("Модель Kinetra "));
    EXPECT_EQ(shell.modelWindow().pages()->currentIndex(), 0);
    EXPECT_FALSE(shell.actions().action(Command::aReport)->isEnabled());
}

// A model file named at start-up and written with the other decimal separator opens, and the
// model window's status bar says how it was read.
TEST(ShellStart, ModelOfTheOtherSeparatorOpensWithANotice)
{
    // The program works in a folder of its own, where it keeps its settings file.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QFile model(folder.filePath(QStringLiteral("model.kmf")));
    ASSERT_TRUE(model.open(QIODevice::WriteOnly));
    model.write("[Motor]\r\nType=DM\r\nR2=1,1\r\nJ=0,012\r\n");
    model.close();
    ScriptedPrompts prompts;
    Shell shell{u'.', {model.fileName()}, prompts, prompts};
    shell.modelWindow().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shell.modelWindow()));
    EXPECT_EQ(shell.modelWindow().statusBar()->currentMessage(), OtherSeparatorNotice(u'.'));
    EXPECT_EQ(shell.session().params().R2, 1.1);
    QDir::setCurrent(previous);
}

TEST_F(ShellTest, ClosingAnUnchangedModelAsksOnlyTheCloseQuestion)
{
    prompts.answers = {Answer::Yes};
    EXPECT_TRUE(shell.modelWindow().close());
    EXPECT_EQ(prompts.questions, QStringList{QStringLiteral("Kinetra|Завершить работу?")});
}

TEST_F(ShellTest, CancelledSaveQuestionKeepsTheWindowOpen)
{
    shell.session().editor().setText(EditField::MotorUEdit, QStringLiteral("220"));
    prompts.answers = {Answer::Yes, Answer::Cancel};
    EXPECT_FALSE(shell.modelWindow().close());
    EXPECT_TRUE(shell.modelWindow().isVisible());
}

TEST_F(ShellTest, FunctionKeysShowTheirWindows)
{
    WriteCatalogue(QStringLiteral("Kinetra.mdb"), MotorCatalogue());
    activate(shell.modelWindow());
    press(Qt::Key_F7);
    EXPECT_TRUE(shell.dbaseWindow().isVisible());
    activate(shell.modelWindow());
    press(Qt::Key_F8);
    EXPECT_TRUE(shell.signalWindow().isVisible());
    press(Qt::Key_F5);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&shell.modelWindow()));
}

TEST_F(ShellTest, SettingsPageFollowsTheActiveWindow)
{
    activate(shell.signalWindow());
    press(Qt::Key_F12);
    EXPECT_TRUE(shell.optionsWindow().isVisible());
    EXPECT_EQ(shell.optionsWindow().currentPage(), OptionsWindow::SimulationPage);

    activate(shell.modelWindow());
    press(Qt::Key_F12);
    EXPECT_EQ(shell.optionsWindow().currentPage(), OptionsWindow::FilesPage);

    activate(shell.resultWindow());
    press(Qt::Key_F12);
    EXPECT_EQ(shell.optionsWindow().currentPage(), OptionsWindow::SimulationPage);
}

TEST_F(ShellTest, HelpOpensAtTheContextOfTheActiveWindowAndPage)
{
    shell.session().editor().showPage(EditorPage::ControllerPage);
    activate(shell.modelWindow());
    press(Qt::Key_F1);
    ASSERT_NE(shell.helpWindow(), nullptr);
    EXPECT_EQ(shell.helpWindow()->currentPage().fileName(), QStringLiteral("35.html"));

    activate(shell.dbaseWindow());
    press(Qt::Key_F1);
    EXPECT_EQ(shell.helpWindow()->currentPage().fileName(), QStringLiteral("52.html"));
}

TEST_F(ShellTest, CopyTakesTheWholeBoxWhateverIsSelected)
{
    shell.session().editor().setChecked(CheckBox::Motor1CheckBox, true);
    shell.session().editor().setText(EditField::MotorR1Edit, QStringLiteral("1,25"));
    focus(EditField::MotorR1Edit);
    edit(EditField::MotorR1Edit).setCursorPosition(1);
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Insert));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1,25"));
}

TEST_F(ShellTest, PasteReplacesTheWholeBoxAndRunsItsRules)
{
    QApplication::clipboard()->setText(QStringLiteral("3"));
    shell.session().editor().setText(EditField::KpfEdit, QStringLiteral("120"));
    focus(EditField::KpfEdit);
    edit(EditField::KpfEdit).setSelection(0, 1);
    press(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert));
    EXPECT_EQ(shell.session().editor().text(EditField::KpfEdit), QStringLiteral("3"));
    EXPECT_EQ(edit(EditField::KpfEdit).text(), QStringLiteral("3"));
    EXPECT_TRUE(shell.session().editor().isMarked(ReferencePoint::fPointShape));
}

TEST_F(ShellTest, CutEmptiesTheBoxAndClearsTheTimeSpan)
{
    int timeSpans = 0;
    QObject::connect(&shell.session(), &ModelSession::timeSpanChanged, [&] { ++timeSpans; });
    shell.session().editor().setText(EditField::TmaxEdit, QStringLiteral("2"));
    focus(EditField::TmaxEdit);
    press(QKeyCombination(Qt::ShiftModifier, Qt::Key_Delete));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2"));
    EXPECT_TRUE(shell.session().editor().text(EditField::TmaxEdit).isEmpty());
    EXPECT_EQ(timeSpans, 2);
}

TEST_F(ShellTest, ClipboardCommandsDoNothingInOtherWindows)
{
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    shell.session().editor().setText(EditField::MotorUEdit, QStringLiteral("220"));
    focus(EditField::MotorUEdit);
    activate(shell.resultWindow());
    shell.actions().action(Command::aPaste)->trigger();
    shell.actions().action(Command::aCut)->trigger();
    EXPECT_EQ(shell.session().editor().text(EditField::MotorUEdit), QStringLiteral("220"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
}

TEST_F(ShellTest, SaveOfANeverSavedModelFromTheResultsWindowSavesTheChart)
{
    activate(shell.resultWindow());
    prompts.files = {std::nullopt};
    shell.actions().action(Command::aSave)->trigger();
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("Сохранение диаграмм")});
}

// A new model without a motor name is "Модель": its chart and its report are proposed under
// that name; the settings text under the settings file's, the signals chart under "Сигналы".
TEST_F(ShellTest, SaveAsProposesANameInEveryWindow)
{
    const auto saveAs = [this] { shell.actions().action(Command::aSaveAs)->trigger(); };
    struct Case {
        std::function<void()> save;
        const char* proposed;
    };
    for (const Case& c : std::vector<Case>{
             {[&] { activate(shell.resultWindow()); saveAs(); }, "Модель"},
             {[&] { activate(shell.signalWindow()); saveAs(); }, "Сигналы"},
             {[&] { activate(shell.optionsWindow()); saveAs(); }, "Kinetra.ini"},
             {[&] { shell.reportCommands().saveReport(); }, "Модель.pdf"},
         }) {
        prompts.files = {std::nullopt};
        c.save();
        ASSERT_FALSE(prompts.proposedNames.isEmpty()) << c.proposed;
        EXPECT_EQ(prompts.proposedNames.takeLast(), QString::fromUtf8(c.proposed));
    }
}

TEST_F(ShellTest, VariableSignalBoxMakesTheResultsSimulateAgain)
{
    shell.session().editor().chooseListItem(ListBox::MotorComboBox, 0);
    ResultsActivation& activation = shell.resultWindow().activation();
    ASSERT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated);
    ASSERT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Unchanged);
    shell.session().editor().setChecked(CheckBox::dMVarCheckBox, true);
    EXPECT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated);
}

TEST_F(ShellTest, NewModelClearsTheResults)
{
    shell.session().editor().chooseListItem(ListBox::MotorComboBox, 0);
    ResultsActivation& activation = shell.resultWindow().activation();
    ASSERT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated);
    prompts.answers = {Answer::No};
    activate(shell.modelWindow());
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_N));
    EXPECT_TRUE(activation.sampleTable().isEmpty());
    EXPECT_TRUE(activation.lastRunText().isEmpty());
}

TEST_F(ShellTest, ChartPictureFollowsTheChosenFilter)
{
    const QString path = workingDirectory.folder.filePath(QStringLiteral("chart.wmf"));
    shell.session().editor().chooseListItem(ListBox::MotorComboBox, 0);
    activate(shell.resultWindow());
    prompts.files = {path};
    shell.actions().action(Command::aSaveAs)->trigger();
    QFile picture(path);
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_TRUE(picture.read(4) == QByteArray::fromHex("d7cdc69a")) << "a placeable metafile";
    EXPECT_EQ(shell.settings().folders().ReportsFolder, FolderOf(path));
}

TEST_F(ShellTest, AnalysisPageSaysItHasNoChartInsteadOfOfferingTheDialog)
{
    activate(shell.resultWindow());
    shell.resultWindow().findChild<QTabWidget*>(QStringLiteral("ResultPages"))->setCurrentIndex(2);
    shell.actions().action(Command::aSaveAs)->trigger();
    EXPECT_TRUE(prompts.dialogTitles.isEmpty());
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages.constLast(),
              QStringLiteral("На этой странице нет диаграммы для сохранения"));
}

TEST_F(ShellTest, ChartNamedByTheFilterIsAskedAboutUnderItsFinalName)
{
    const QString typed = workingDirectory.folder.filePath(QStringLiteral("run3"));
    QFile earlier(typed + QStringLiteral(".wmf"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.close();
    activate(shell.resultWindow());
    prompts.files = {typed};
    prompts.answers = {Answer::No};
    shell.actions().action(Command::aSaveAs)->trigger();
    EXPECT_EQ(prompts.questions,
              QStringList{QStringLiteral("Текст изменен|Перезаписать файл run3.wmf ?")});
}

// The translation is installed before the program builds its windows, as at start-up.
class TranslatedShellTest : private LatinTranslation, public ShellFixture {};

TEST_F(TranslatedShellTest, EveryWindowShowsEveryTextTranslated)
{
    for (QWidget* window : std::initializer_list<QWidget*>{
             &shell.modelWindow(), &shell.resultWindow(), &shell.signalWindow(),
             &shell.dbaseWindow(), &shell.optionsWindow()})
        EXPECT_EQ(CyrillicTexts(*window), QStringList()) << qPrintable(window->objectName());
    // The captions the editor renames: reactances, and a torque loop with the reference on it.
    ModelEditor& editor = shell.session().editor();
    editor.setChecked(CheckBox::MotorRadioL, false);
    editor.chooseTorqueControl(true);
    editor.setText(EditField::KpIEdit, QStringLiteral("1"));
    EXPECT_EQ(CyrillicTexts(shell.modelWindow()), QStringList());
}

// The program's texts, Qt's own and every help page speak the language the interface started in.
TEST(InterfaceTranslationTest, WindowsStandardButtonsAndHelpSpeakTheChosenLanguage)
{
    const struct {
        InterfaceLanguage language;
        const char* helpTitle;
        const char* noButton;
        const char* helpFolder;
    } cases[] = {
        {InterfaceLanguage::Russian, "Справка Kinetra", "Нет", "/help/"},
        {InterfaceLanguage::English, "Kinetra Help", "No", "/help/en/"},
    };
    for (const auto& [language, helpTitle, noButton, helpFolder] : cases) {
        const InterfaceTranslation translation(language);
        ASSERT_TRUE(translation.qtSpeaksLanguage()) << "Debian package qt6-translations-l10n";
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.button(QMessageBox::No)->text().remove(u'&'), QString::fromUtf8(noButton));
        HelpWindow help(language);
        EXPECT_EQ(help.windowTitle(), QString::fromUtf8(helpTitle));
        for (int context : {0, 32, 33, 34, 35, 41, 42, 51, 52, 53, 61}) {
            help.showContext(context);
            EXPECT_EQ(help.currentPage().path(),
                      QString::fromUtf8(helpFolder) +
                          (context == 0 ? QStringLiteral("index") : QString::number(context)) +
                          QStringLiteral(".html"));
        }
    }
}

TEST_F(ShellTest, ShortcutsReachTheirCommandsFromEveryWindow)
{
    for (const QAction* action : shell.modelWindow().actions())
        EXPECT_EQ(action->shortcutContext(), Qt::ApplicationShortcut)
            << qPrintable(action->objectName());
    prompts.files = {std::nullopt};
    activate(shell.modelWindow());
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_O));
    EXPECT_EQ(prompts.dialogTitles, QStringList{QStringLiteral("Открытие модели")});
}

TEST_F(ShellTest, TitleMarksUnsavedChangesWhichTheUndoKeysTakeBackAndForth)
{
    const QString fresh = edit(EditField::MotorUEdit).text();
    focus(EditField::MotorUEdit);
    QTest::keyClicks(&edit(EditField::MotorUEdit), QStringLiteral("15"));
    EXPECT_EQ(shell.modelWindow().windowTitle(), QStringLiteral("Модель Kinetra *"));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Z));
    EXPECT_EQ(edit(EditField::MotorUEdit).text(), fresh);
    EXPECT_EQ(shell.modelWindow().windowTitle(), QStringLiteral("Модель Kinetra "));
    press(QKeyCombination(Qt::ControlModifier, Qt::Key_Y));
    EXPECT_EQ(edit(EditField::MotorUEdit).text(), fresh + QStringLiteral("15"));
    EXPECT_TRUE(shell.modelWindow().windowTitle().endsWith(u'*'));
    prompts.files = {QDir::current().filePath(QStringLiteral("drive.kmf"))};
    shell.actions().action(Command::aSaveAs)->trigger();
    EXPECT_EQ(shell.modelWindow().windowTitle(), QStringLiteral("Модель Kinetra: drive.kmf"));
}

TEST_F(ShellTest, RecentFilesSurviveARestartBesideAnOlderSettingsFile)
{
    activate(shell.modelWindow());
    prompts.answers = {Answer::Yes}; // a.kmf may be replaced
    for (const char* name : {"a.kmf", "b.kmf", "a.kmf"}) {
        prompts.files = {QDir::current().filePath(QLatin1String(name))};
        shell.actions().action(Command::aSaveAs)->trigger();
    }
    const QStringList newestFirst{QDir::current().filePath(QStringLiteral("a.kmf")),
                                  QDir::current().filePath(QStringLiteral("b.kmf"))};
    ASSERT_EQ(shell.settings().recentFiles(), newestFirst);
    const QList<QAction*> entries = shell.modelWindow().recentFileEntries();
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries.at(1)->text(), QStringLiteral("&2 b.kmf"));
    {
        ScriptedPrompts answers;
        Shell restarted{u',', {}, answers, answers};
        EXPECT_EQ(restarted.settings().recentFiles(), newestFirst);
        // The entry opens its file, as Open does.
        restarted.modelWindow().recentFileEntries().at(1)->trigger();
        EXPECT_EQ(restarted.modelWindow().windowTitle(), QStringLiteral("Модель Kinetra: b.kmf"));
    }
    // A settings file from before the list: read as it was, and kept line for line.
    const QStringList older{QStringLiteral("[Paths]"),
                            QStringLiteral("Models=m/"),
                            QStringLiteral("Reports=r/"),
                            QStringLiteral("Queries=q/"),
                            QStringLiteral("Connection=Provider=SQLite;Data Source=x.db"),
                            QString(),
                            QStringLiteral("[Report]"),
                            QStringLiteral("Color=false")};
    ASSERT_TRUE(WriteTextFile(QStringLiteral("Kinetra.ini"), older).ok);
    ScriptedPrompts answers;
    Shell older_start{u',', {}, answers, answers};
    EXPECT_TRUE(older_start.settings().recentFiles().isEmpty());
    EXPECT_FALSE(older_start.settings().colourOutput());
    older_start.settings().addRecentFile(newestFirst.at(1));
    const QStringList written = ReadTextFile(QStringLiteral("Kinetra.ini")).value;
    EXPECT_EQ(written.mid(0, older.size()), older);
    EXPECT_EQ(written.mid(older.size()),
              (QStringList{QString(), QStringLiteral("[Recent]"),
                           QStringLiteral("File1=") + newestFirst.at(1)}));
}

// A student's laptop: 1366 by 768 pixels with a task bar of 48 and a title bar of 32. Sizes are
// in device-independent pixels, so the same holds at 200 % on a screen of twice the pixels. A
// window the window manager puts where its bottom is below the screen is brought onto it.
TEST_F(ShellTest, EveryWindowFitsALaptopScreen)
{
    const QSize laptop(1366, 768 - 48 - 32);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1366, 768)) << "the test's screen: shell/laptop-screen.json";
    activate(shell.modelWindow());
    press(Qt::Key_F1);
    AboutBox about;
    ConnectionDialog connection;
    ReportPreview preview({[](QPrinter&) {}, [] {}, [] {}});
    for (QWidget* window : std::initializer_list<QWidget*>{
             &shell.modelWindow(), &shell.resultWindow(), &shell.dbaseWindow(),
             &shell.optionsWindow(), &shell.signalWindow(), shell.helpWindow(), &about, &connection,
             &preview}) {
        window->hide();
        window->move(screen.center());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        QApplication::processEvents();
        EXPECT_TRUE(screen.contains(window->frameGeometry()))
            << qPrintable(window->objectName()) << " at " << window->frameGeometry().y() << '+'
            << window->frameGeometry().height();
        EXPECT_TRUE(laptop.boundedTo(window->size()) == window->size())
            << qPrintable(window->objectName()) << ' ' << window->width() << 'x'
            << window->height();
        EXPECT_TRUE(laptop.boundedTo(window->minimumSizeHint()) == window->minimumSizeHint())
            << qPrintable(window->objectName()) << " needs " << window->minimumSizeHint().width()
            << 'x' << window->minimumSizeHint().height();
        window->hide();
    }
}

} // namespace
} // namespace kinetra::test
