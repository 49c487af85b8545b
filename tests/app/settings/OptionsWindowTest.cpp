#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "../../database/TestCatalogue.h"
#include "../../model/text/QtPrinters.h"
#include "../shell/ScriptedPrompts.h"
#include "CatalogueBrowser.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "settings/OptionsWindow.h"
#include "settings/SettingsStore.h"
#include "shell/ActionTable.h"
#include "shell/Folders.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

// Changes into a fresh working directory before the settings are read there.
struct WorkingDirectory {
    WorkingDirectory() { QDir::setCurrent(folder.path()); }
    ~WorkingDirectory() { QDir::setCurrent(previous); }
    Q_DISABLE_COPY_MOVE(WorkingDirectory)

    QString previous = QDir::currentPath();
    QTemporaryDir folder;
};

// The settings window over a first start in an empty working directory.
class OptionsWindowTest : public ::testing::Test {
protected:
    template <typename Widget> Widget& find(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QLatin1String(name));
        if (!widget)
            throw std::runtime_error(std::string("no control ") + name);
        return *widget;
    }
    QPlainTextEdit& fileEdit() { return find<QPlainTextEdit>("oFileEdit"); }
    QPushButton& applyButton() { return find<QPushButton>("oApplyBtn"); }
    QPlainTextEdit& queryEdit() { return find<QPlainTextEdit>("oQueryEdit"); }
    QString writeCatalogue()
    {
        const QString path = directory.folder.filePath(QStringLiteral("Kinetra.mdb"));
        WriteCatalogue(path, MotorCatalogue());
        return path;
    }
    void activate(QWidget& widget)
    {
        widget.show();
        widget.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
    QByteArray settingsFileBytes() const
    {
        QFile file(directory.folder.filePath(QStringLiteral("Kinetra.ini")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString shownSettings() const { return store.settings().join(u'\n'); }

    WorkingDirectory directory;
    ScriptedPrompts messages;
    ModelSession session{u',', messages};
    Folders folders;
    SettingsStore store{folders, session, messages};
    CatalogueBrowser catalogue{u',', messages};
    ActionTable actions;
    OptionsWindow window{actions, store, catalogue, messages};
    QWidget otherWindow;
};

TEST_F(OptionsWindowTest, ClickingColourShowsColorFalseAndForcesARerun)
{
    activate(window);
    window.setCurrentPage(OptionsWindow::SimulationPage);
    const QByteArray before = settingsFileBytes();
    auto& colour = find<QCheckBox>("oCheckBox0");
    ASSERT_TRUE(colour.isChecked());
    colour.click();
    EXPECT_FALSE(store.colourOutput());
    EXPECT_TRUE(session.ForceRerun());
    EXPECT_TRUE(fileEdit().toPlainText().endsWith(QStringLiteral("\nColor=false")));
    EXPECT_EQ(settingsFileBytes(), before);
}

TEST_F(OptionsWindowTest, ApplyIsDisabledWhileTheSettingsTextIsEmpty)
{
    activate(window);
    EXPECT_TRUE(applyButton().isEnabled());
    fileEdit().clear();
    EXPECT_FALSE(applyButton().isEnabled());

    const QString connection = QStringLiteral("Provider=SQLite;Data Source=") + writeCatalogue();
    fileEdit().setPlainText(QStringLiteral("[Paths]\nModels=/m/\nConnection=") + connection);
    ASSERT_TRUE(applyButton().isEnabled());
    applyButton().click();
    EXPECT_EQ(store.connectionString(), connection);
    EXPECT_EQ(folders.ModelsFolder, QStringLiteral("/m/"));
    EXPECT_TRUE(catalogue.isConnected());
    EXPECT_EQ(catalogue.positionPanel(), QStringLiteral("1/25")) << "the first table is open";
    EXPECT_TRUE(messages.messages.isEmpty());
}

// --- The catalogue side ----------------------------------------------------------------------

TEST_F(OptionsWindowTest, FailedConnectionClosesTheWindowAndAsksForAnother)
{
    activate(window);
    const QString connection = QStringLiteral("Provider=SQLite;Data Source=/no/such.mdb");
    fileEdit().setPlainText(QStringLiteral("[Paths]\nModels=/m/\nConnection=") + connection);
    applyButton().click();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages.first().startsWith(QStringLiteral("Нет подключения ") +
                                                     connection + u'\n'));
    EXPECT_EQ(messages.connectionDialogs, 1);
    // Cancel in the dialog leaves no connection line; nothing of the text is taken.
    EXPECT_EQ(store.settings(),
              (QStringList{QStringLiteral("[Paths]"), QStringLiteral("Models=/m/")}));
    EXPECT_EQ(fileEdit().toPlainText(), QStringLiteral("[Paths]\nModels=/m/"));
    EXPECT_TRUE(folders.ModelsFolder.isEmpty());
    EXPECT_NE(store.connectionString(), connection);
    EXPECT_FALSE(QApplication::overrideCursor());

    messages.connections.push_back(QStringLiteral("Provider=SQLite;Data Source=x.mdb"));
    activate(window);
    fileEdit().setPlainText(QStringLiteral("[Paths]\nConnection=") + connection);
    applyButton().click();
    EXPECT_EQ(store.settings().last(),
              QStringLiteral("Connection=Provider=SQLite;Data Source=x.mdb"));
}

TEST_F(OptionsWindowTest, QueryPageIsThereOnlyWhileConnected)
{
    activate(window);
    EXPECT_FALSE(find<QTabWidget>("oPageControl").isTabVisible(OptionsWindow::QueryPage));
    ASSERT_TRUE(
        catalogue.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") + writeCatalogue())
            .ok);
    EXPECT_TRUE(find<QTabWidget>("oPageControl").isTabVisible(OptionsWindow::QueryPage));
    window.setCurrentPage(OptionsWindow::QueryPage);
    EXPECT_EQ(window.currentPage(), OptionsWindow::QueryPage);
    EXPECT_EQ(window.shownTextEdit(), &queryEdit());
    EXPECT_FALSE(applyButton().isEnabled()) << "the query page is empty";
    EXPECT_EQ(window.openDialog()->title, QStringLiteral("Открытие запроса"));
    EXPECT_EQ(window.saveDialog()->title, QStringLiteral("Сохранение запроса"));
}

TEST_F(OptionsWindowTest, ApplyOnTheQueryPageRunsTheQueryOrSaysItFailed)
{
    const QString path = writeCatalogue();
    ASSERT_TRUE(
        catalogue.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") + path).ok);
    activate(window);
    window.setCurrentPage(OptionsWindow::QueryPage);
    queryEdit().setPlainText(QStringLiteral("SELECT *\nFROM \"Редукторы\"\n"));
    applyButton().click();
    EXPECT_TRUE(catalogue.inQueryMode());
    EXPECT_EQ(catalogue.positionPanel(), QStringLiteral("1/2"));

    queryEdit().setPlainText(QStringLiteral("DELETE FROM \"Двигатели\""));
    applyButton().click();
    EXPECT_EQ(messages.messages,
              QStringList{QStringLiteral("Ошибка в запросе \n") +
                          QStringLiteral("Запрос должен быть одним оператором чтения (SELECT).")});
    EXPECT_EQ(RowCount(path, QStringLiteral("Двигатели")), 25);
    EXPECT_EQ(catalogue.positionPanel(), QString()) << "no position over an empty grid";

    // While a result is on show its query stays; Reset returns to the first table.
    queryEdit().setPlainText(QStringLiteral("SELECT 1"));
    applyButton().click();
    activate(otherWindow);
    activate(window);
    EXPECT_EQ(queryEdit().toPlainText(), QStringLiteral("SELECT 1"));
    find<QPushButton>("oReset").click();
    EXPECT_TRUE(queryEdit().toPlainText().isEmpty());
    EXPECT_EQ(catalogue.selectorText(), QStringLiteral("Двигатели"));
    EXPECT_FALSE(catalogue.inQueryMode());
    queryEdit().setPlainText(QStringLiteral("not run"));
    activate(otherWindow);
    activate(window);
    EXPECT_TRUE(queryEdit().toPlainText().isEmpty()) << "a table on show empties the page";
}

TEST_F(OptionsWindowTest, QueryFilesOpenIntoThePageAndSaveFromIt)
{
    ASSERT_TRUE(
        catalogue.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") + writeCatalogue())
            .ok);
    activate(window);
    window.setCurrentPage(OptionsWindow::QueryPage);
    QTemporaryDir other;
    const QString query = other.filePath(QStringLiteral("q.txt"));
    ASSERT_TRUE(
        WriteTextFile(query, {QStringLiteral("SELECT *"), QStringLiteral("FROM \"Редукторы\"")})
            .ok);
    ASSERT_TRUE(window.openShownText(query));
    EXPECT_EQ(queryEdit().toPlainText(), QStringLiteral("SELECT *\nFROM \"Редукторы\""));
    EXPECT_TRUE(applyButton().isEnabled());
    EXPECT_EQ(folders.QueriesFolder, FolderOf(query));
    EXPECT_TRUE(folders.SettingsFolder.isEmpty());

    const QString saved = other.filePath(QStringLiteral("saved.txt"));
    ASSERT_TRUE(window.saveShownText(saved));
    EXPECT_EQ(ReadTextFile(saved).value.size(), 2);
    EXPECT_EQ(folders.SettingsFolder, FolderOf(saved));
}

TEST_F(OptionsWindowTest, SimulationPageHidesTheFileButtons)
{
    activate(window);
    const char* fileButtons[] = {"oOpenBtn", "oSaveBtn", "oApplyBtn"};
    window.setCurrentPage(OptionsWindow::SimulationPage);
    for (const char* name : fileButtons)
        EXPECT_FALSE(find<QPushButton>(name).isVisible()) << name;
    EXPECT_TRUE(find<QPushButton>("oReset").isVisible());
    EXPECT_TRUE(find<QPushButton>("oCloseBtn").isVisible());
    EXPECT_EQ(window.shownTextEdit(), nullptr);
    EXPECT_FALSE(window.openDialog() || window.saveDialog());
    window.setCurrentPage(OptionsWindow::QueryPage);
    EXPECT_EQ(window.currentPage(), OptionsWindow::SimulationPage) << "its tab is hidden";

    window.setCurrentPage(OptionsWindow::FilesPage);
    for (const char* name : fileButtons)
        EXPECT_TRUE(find<QPushButton>(name).isVisible()) << name;
    EXPECT_EQ(window.shownTextEdit(), &fileEdit());
}

// Only the user's choice writes the file: showing the window again does not, and the reset of the
// files page, which rebuilds the file from its template, follows the desktop again.
TEST_F(OptionsWindowTest, LanguageChoiceIsWrittenAndResetFollowsTheDesktop)
{
    activate(window);
    auto& language = find<QComboBox>("oLanguageBox");
    EXPECT_EQ(language.currentIndex(), 0);
    QTest::keyClick(&language, Qt::Key_End);
    EXPECT_EQ(language.currentText(), QStringLiteral("English"));
    EXPECT_TRUE(settingsFileBytes().endsWith("\r\n\r\n[Interface]\r\nLanguage=en\r\n"));
    EXPECT_TRUE(fileEdit().toPlainText().endsWith(QStringLiteral("\nLanguage=en")));
    const QByteArray chosen = settingsFileBytes();
    activate(otherWindow);
    activate(window);
    EXPECT_EQ(language.currentIndex(), 2);
    EXPECT_EQ(settingsFileBytes(), chosen);

    find<QPushButton>("oReset").click();
    EXPECT_EQ(language.currentIndex(), 0);
    EXPECT_FALSE(settingsFileBytes().contains("Language"));
}

TEST_F(OptionsWindowTest, EveryActivationShowsTheSettingsInForce)
{
    EXPECT_TRUE(fileEdit().toPlainText().isEmpty()) << "nothing is shown before the first time";
    activate(window);
    EXPECT_EQ(fileEdit().toPlainText(), shownSettings());
    fileEdit().setPlainText(QStringLiteral("not applied"));
    activate(otherWindow);
    activate(window);
    EXPECT_EQ(fileEdit().toPlainText(), shownSettings());
}

TEST_F(OptionsWindowTest, OpenedSettingsSurviveTheReturnFromTheDialog)
{
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("copy.ini"));
    ASSERT_TRUE(WriteTextFile(copy, {QStringLiteral("[Paths]"), QStringLiteral("Models=/m/")}).ok);
    activate(window);

    // The file dialog: modal over the window, and gone again when the file is loaded.
    QDialog dialog(&window);
    QTimer::singleShot(0, &dialog, [&dialog] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
        dialog.accept();
    });
    dialog.exec();
    ASSERT_TRUE(window.openShownText(copy));
    activate(window);

    EXPECT_EQ(fileEdit().toPlainText(), QStringLiteral("[Paths]\nModels=/m/"));
    EXPECT_TRUE(applyButton().isEnabled());
    EXPECT_EQ(store.settings().size(), 5) << "opening applies nothing";
    EXPECT_EQ(folders.SettingsFolder, FolderOf(copy));
}

TEST_F(OptionsWindowTest, ResetOnTheSimulationPageChecksEverythingAgain)
{
    activate(window);
    window.setCurrentPage(OptionsWindow::SimulationPage);
    find<QCheckBox>("oCheckBox2").click();
    find<QCheckBox>("oCheckBox5").click();
    const auto items = [this](const char* group) {
        return find<QGroupBox>(group).findChildren<QRadioButton*>();
    };
    items("oRadioGroup1").at(1)->click();
    items("oRadioGroup2").at(1)->click();
    EXPECT_EQ(store.takenSignal(), TakenSignal::Current);
    EXPECT_EQ(store.sentSignal(), SentSignal::Control);

    find<QPushButton>("oReset").click();
    EXPECT_TRUE(find<QCheckBox>("oCheckBox2").isChecked());
    EXPECT_TRUE(find<QCheckBox>("oCheckBox5").isChecked());
    EXPECT_TRUE(items("oRadioGroup1").at(0)->isChecked());
    EXPECT_TRUE(items("oRadioGroup2").at(0)->isChecked());
    EXPECT_EQ(store.takenSignal(), TakenSignal::Speed);
    EXPECT_EQ(store.sentSignal(), SentSignal::Disturbance);
}

TEST_F(OptionsWindowTest, EverythingFitsTheFixedWindow)
{
    activate(window);
    EXPECT_EQ(window.size(), QSize(471, 309));
    for (int page : {OptionsWindow::FilesPage, OptionsWindow::SimulationPage}) {
        window.setCurrentPage(page);
        window.grab(); // lays the page out
        const QRect inside = window.rect();
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (!widget->isVisible() ||
                !(qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLabel*>(widget) ||
                  qobject_cast<QGroupBox*>(widget)))
                continue;
            const QString name = widget->objectName().isEmpty()
                                     ? widget->property("text").toString()
                                     : widget->objectName();
            EXPECT_GE(widget->width(), widget->sizeHint().width()) << name.toStdString();
            EXPECT_GE(widget->height(), widget->minimumSizeHint().height()) << name.toStdString();
            const QRect placed(widget->mapTo(&window, QPoint(0, 0)), widget->size());
            EXPECT_TRUE(inside.contains(placed)) << name.toStdString();
        }
    }
}

} // namespace
} // namespace kinetra::test
