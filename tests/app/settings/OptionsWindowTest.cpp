#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <stdexcept>

#include "../../model/text/QtPrinters.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "settings/SettingsStore.h"
#include "shell/ActionTable.h"
#include "shell/Folders.h"
#include "shell/OptionsWindow.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

class RecordedMessages final : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

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
    RecordedMessages messages;
    ModelSession session{u',', messages};
    Folders folders;
    SettingsStore store{folders, session, messages};
    ActionTable actions;
    OptionsWindow window{actions, store};
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
    EXPECT_TRUE(session.ForceRerun);
    EXPECT_TRUE(fileEdit().toPlainText().endsWith(QStringLiteral("\nColor=false")));
    EXPECT_EQ(settingsFileBytes(), before);
}

TEST_F(OptionsWindowTest, ApplyIsDisabledWhileTheSettingsTextIsEmpty)
{
    activate(window);
    EXPECT_TRUE(applyButton().isEnabled());
    fileEdit().clear();
    EXPECT_FALSE(applyButton().isEnabled());

    fileEdit().setPlainText(QStringLiteral("[Paths]\nConnection=Other"));
    ASSERT_TRUE(applyButton().isEnabled());
    applyButton().click();
    EXPECT_EQ(store.connectionString(), QStringLiteral("Other"));
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
