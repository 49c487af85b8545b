#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <utility>

#include "../../model/editor/EditorTestSupport.h"
#include "../../model/text/QtPrinters.h"
#include "editor/ModelSession.h"
#include "settings/SettingsStore.h"
#include "shell/Folders.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

const QString DefaultConnection =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Kinetra.mdb");

QStringList linesOf(const char* text)
{
    return QString::fromUtf8(text).split(u'\n');
}

// Every test starts the program in a working directory of its own.
class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() { QDir::setCurrent(folder.path()); }
    ~SettingsStoreTest() override { QDir::setCurrent(m_previousDirectory); }

    static QString iniIn(const QString& folderPath) { return folderPath + "/Kinetra.ini"; }
    void writeSettings(const char* text)
    {
        ASSERT_TRUE(WriteTextFile(iniIn(folder.path()), linesOf(text)).ok);
    }
    QString fileText(const QString& folderPath) const
    {
        return ReadTextFile(iniIn(folderPath)).value.join(u'\n');
    }
    QByteArray fileBytes() const
    {
        QFile file(iniIn(folder.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::unique_ptr<SettingsStore> start()
    {
        return std::make_unique<SettingsStore>(folders, session, sink);
    }

    QString m_previousDirectory = QDir::currentPath();
    QTemporaryDir folder;
    RecordedMessages sink;
    ModelSession session{u',', sink};
    Folders folders{QStringLiteral("stale"), QStringLiteral("stale"), QStringLiteral("stale"), {}};
};

// --- Start-up --------------------------------------------------------------------------------

TEST_F(SettingsStoreTest, FirstStartInAnEmptyFolderWritesTheFiveLines)
{
    const auto store = start();
    EXPECT_EQ(fileBytes(), "[Paths]\r\n"
                           "Connection=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Kinetra.mdb\r\n"
                           "\r\n"
                           "[Report]\r\n"
                           "Color=\r\n");
    EXPECT_EQ(store->settings().join(u'\n'), fileText(folder.path()));
    EXPECT_EQ(store->connectionString(), DefaultConnection);
    EXPECT_TRUE(folders.ModelsFolder.isEmpty() && folders.ReportsFolder.isEmpty() &&
                folders.QueriesFolder.isEmpty() && folders.SettingsFolder.isEmpty())
        << "every dialog starts in the working directory";
    EXPECT_TRUE(store->colourOutput());
}

TEST_F(SettingsStoreTest, OnlyLowerCaseFalseSwitchesColourOff)
{
    for (const auto& [value, colour] :
         {std::pair{"false", false}, std::pair{"FALSE", true}, std::pair{"true", true}}) {
        const QString text = QStringLiteral("[Paths]\nModels=m\nReports=r\nQueries=q\n"
                                            "Connection=Own\n\n[Report]\nColor=") +
                             QLatin1String(value);
        ASSERT_TRUE(WriteTextFile(iniIn(folder.path()), text.split(u'\n')).ok);
        EXPECT_EQ(start()->colourOutput(), colour) << "Color=" << value;
        EXPECT_EQ(fileText(folder.path()), text) << "a complete file is not rewritten";
    }
}

TEST_F(SettingsStoreTest, KeysCountUnderAnySectionAndTheFirstLineWins)
{
    writeSettings("[paths]\nReports=r\nQueries=q\nConnection=Own\n\n[Report]\n"
                  "MODELS=/first/\nModels=/second/\nColor=");
    const QByteArray before = fileBytes();
    const auto store = start();
    EXPECT_EQ(folders.ModelsFolder, QStringLiteral("/first/"));
    EXPECT_EQ(store->connectionString(), QStringLiteral("Own"));
    EXPECT_EQ(fileBytes(), before);
}

// A rebuild keeps every value the user set and names what took its default.
TEST_F(SettingsStoreTest, RebuildKeepsTheUsersValuesAndSaysWhatWasReset)
{
    const struct {
        const char* text;
        const char* rebuilt;
        const char* reset;
    } cases[] = {
        {"[Paths]\nModels=/m/\nReports=\nQueries=/q/\nConnection=Server\n\n[Report]\nColor=false",
         "[Paths]\nModels=/m/\nQueries=/q/\nConnection=Server\n\n[Report]\nColor=false", "Reports"},
        {"[Path]\nModels=m\nConnection=Server\nColor=false",
         "[Paths]\nModels=m\nConnection=Server\n\n[Report]\nColor=false", "[Paths]"},
        {"[Paths]\nModels=m\nReports=r\nQueries=q\nColor=false",
         "[Paths]\nModels=m\nReports=r\nQueries=q\nConnection=Provider=Microsoft.Jet.OLEDB.4.0;"
         "Data Source=Kinetra.mdb\n\n[Report]\nColor=false",
         "Connection"},
    };
    for (const auto& [text, rebuilt, reset] : cases) {
        writeSettings(text);
        sink.messages.clear();
        const auto store = start();
        EXPECT_EQ(fileText(folder.path()), QString::fromUtf8(rebuilt)) << text;
        EXPECT_EQ(store->settings().join(u'\n'), QString::fromUtf8(rebuilt)) << text;
        EXPECT_EQ(store->connectionString(),
                  ReadKey(linesOf(rebuilt), QStringLiteral("Connection")));
        EXPECT_FALSE(store->colourOutput()) << text;
        EXPECT_EQ(sink.messages,
                  QStringList{QStringLiteral("В Kinetra.ini восстановлено по умолчанию: ") +
                              QString::fromUtf8(reset)});
    }
}

// The recent models are no setting: a rebuild from the template keeps them, only eight stay,
// and a file used again moves to the top instead of showing twice.
TEST_F(SettingsStoreTest, RecentFilesKeepTheEightNewestAndSurviveARebuild)
{
    writeSettings("[Paths]\nModels=/m/\nConnection=Own\n\n[Recent]\nFile1=/a.kmf\nFile2=/b.kmf");
    const auto store = start();
    EXPECT_EQ(store->recentFiles(), (QStringList{"/a.kmf", "/b.kmf"}));
    EXPECT_TRUE(fileText(folder.path())
                    .endsWith(QStringLiteral("\n\n[Recent]\nFile1=/a.kmf\nFile2=/b.kmf")))
        << qPrintable(fileText(folder.path()));
    for (int i = 1; i <= 8; ++i)
        store->addRecentFile(QStringLiteral("/%1.kmf").arg(i));
    store->addRecentFile(QStringLiteral("/3.kmf"));
    const QStringList expected{"/3.kmf", "/8.kmf", "/7.kmf", "/6.kmf",
                               "/5.kmf", "/4.kmf", "/2.kmf", "/1.kmf"};
    EXPECT_EQ(store->recentFiles(), expected);
    EXPECT_EQ(start()->recentFiles(), expected);
}

// Neither can be helped from within the program, whoever runs the test: a folder in the file's
// place, which does not read, and a link into a folder that is not there, which takes no write.
TEST_F(SettingsStoreTest, UnreadableOrUnwritableFileIsReportedOnceAndTheSettingsStayInForce)
{
    const QString ini = iniIn(folder.path());
    for (const auto& [makeFile, message] :
         {std::pair<std::function<bool()>, const char*>{[&ini] { return QDir().mkdir(ini); },
                                                        "Kinetra.ini прочитать нельзя\n"},
          std::pair<std::function<bool()>, const char*>{
              [&ini] { return QFile::link(ini + QStringLiteral(".gone/Kinetra.ini"), ini); },
              "Kinetra.ini сохранить нельзя\n"}}) {
        QDir(ini).removeRecursively();
        QFile::remove(ini);
        ASSERT_TRUE(makeFile());
        sink.messages.clear();
        const auto store = start();
        ASSERT_EQ(sink.messages.size(), 1);
        EXPECT_TRUE(sink.messages[0].startsWith(QString::fromUtf8(message))) << message;
        EXPECT_EQ(store->settings().size(), 5);
        EXPECT_EQ(store->connectionString(), DefaultConnection);
    }
}

// A settings file that does not read may still hold what the user wants back: the program runs
// on the defaults, says so once, and writes nothing over it but a reset asked for.
TEST_F(SettingsStoreTest, SettingsFileThatDoesNotReadIsNeverWrittenOver)
{
    constexpr char Broken[] = "[Paths]\r\nModels=/m/\r\nReports=/r/\r\nQueries=/q/\r\n"
                              "Connection=Own\r\n\0\r\n\r\n[Report]\r\nColor=false\r\n\r\n"
                              "[Signal]\r\nWave=3\r\n";
    const QByteArray broken(Broken, sizeof Broken - 1);
    QFile file(iniIn(folder.path()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(broken) == broken.size());
    file.close();

    const auto store = start();
    EXPECT_EQ(sink.messages,
              QStringList{QStringLiteral("Kinetra.ini прочитать нельзя\nНулевой байт в строке 6: "
                                         "файл не текстовый\nПрограмма работает с настройками по "
                                         "умолчанию и не перезаписывает этот файл")});
    EXPECT_EQ(store->connectionString(), DefaultConnection);
    EXPECT_TRUE(folders.ModelsFolder.isEmpty());
    EXPECT_TRUE(store->colourOutput());
    store->addRecentFile(QStringLiteral("/a.kmf"));
    store->keepSection(linesOf("[Signal]\nWave=1"));
    store->useConnection(QStringLiteral("Other"));
    store->setInterfaceLanguage(QStringLiteral("en"));
    EXPECT_EQ(store->recentFiles(), QStringList{"/a.kmf"}) << "in force for this session";
    EXPECT_EQ(fileBytes(), broken);
    EXPECT_EQ(sink.messages.size(), 1);

    store->resetFiles();
    EXPECT_EQ(fileText(folder.path()).section(u'\n', 0, 0), QStringLiteral("[Paths]"));
}

// What saves killed before their end left goes at the next start, from the working directory and
// the folders the settings name.
TEST_F(SettingsStoreTest, StartRemovesWhatKilledSavesLeft)
{
    QTemporaryDir models;
    QTemporaryDir reports;
    writeSettings(qPrintable(QStringLiteral("[Paths]\nModels=%1/\nReports=%2/\nQueries=%2/\n"
                                            "Connection=Own")
                                 .arg(models.path(), reports.path())));
    const QStringList leftovers{folder.filePath("Kinetra.ini.kinetra-aB3xYz.tmp"),
                                models.filePath("drive.kmf.kinetra-save-aB3xYz"),
                                reports.filePath("report.pdf.kinetra-Q1w2E3.tmp")};
    ASSERT_TRUE(WriteTextFile(models.filePath("drive.kmf"), {}).ok);
    for (const QString& leftover : leftovers)
        ASSERT_TRUE(WriteTextFile(leftover, {}).ok);
    start();
    for (const QString& leftover : leftovers)
        EXPECT_FALSE(QFile::exists(leftover)) << leftover.toStdString();
    EXPECT_TRUE(QFile::exists(models.filePath("drive.kmf")));
}

// The choice is written at once and read at the next start before the store exists. It replaces
// a line written by hand under any section, and following the desktop again takes it out.
TEST_F(SettingsStoreTest, LanguageChoiceIsWrittenAtOnceForTheNextStart)
{
    writeSettings("[Paths]\nConnection=Own\n\n[Report]\nlanguage=ru\nColor=");
    const auto store = start();
    EXPECT_EQ(store->interfaceLanguage(), QStringLiteral("ru"));
    store->setInterfaceLanguage(QStringLiteral("en"));
    const QString chosen =
        QStringLiteral("[Paths]\nConnection=Own\n\n[Report]\nColor=\n\n[Interface]\nLanguage=en");
    EXPECT_EQ(fileText(folder.path()), chosen);
    EXPECT_EQ(store->settings().join(u'\n'), chosen);
    EXPECT_EQ(SettingsStore::interfaceLanguageAtStart(), QStringLiteral("en"));

    store->setInterfaceLanguage(QString());
    EXPECT_EQ(fileText(folder.path()),
              QStringLiteral("[Paths]\nConnection=Own\n\n[Report]\nColor="));
    EXPECT_EQ(SettingsStore::interfaceLanguageAtStart(), QString());
}

// --- Switches --------------------------------------------------------------------------------

TEST_F(SettingsStoreTest, SwitchChangeShowsColorAtOnceWithoutWritingTheFile)
{
    const auto store = start();
    const QByteArray before = fileBytes();
    store->setSwitch(OptionSwitch::Analysis, false);
    EXPECT_EQ(store->settings().constLast(), QStringLiteral("Color=true"));
    store->setSwitch(OptionSwitch::Colour, false);
    EXPECT_EQ(store->settings().constLast(), QStringLiteral("Color=false"));
    EXPECT_EQ(store->settings().size(), 5) << "the line is replaced in place";
    EXPECT_TRUE(session.ForceRerun());
    EXPECT_EQ(fileBytes(), before);
}

// The margins are off until asked for; asking puts "Margins=true" under "Color", the rebuild of
// a file that lacks a folder keeps it, and the next start reads it.
TEST_F(SettingsStoreTest, MarginsSwitchIsOffUntilAskedForAndKeptUnderColor)
{
    auto store = start();
    EXPECT_FALSE(store->isOn(OptionSwitch::Margins));
    const KeyValueText designed = store->settings();
    store->setSwitch(OptionSwitch::Margins, true);
    EXPECT_EQ(store->settings(), KeyValueText(designed) << QStringLiteral("Margins=true"));
    store->setSwitch(OptionSwitch::Margins, false);
    EXPECT_EQ(store->settings(), designed);

    writeSettings("[Paths]\nModels=\nConnection=Own\n\n[Report]\nColor=false\nMargins=true\n"
                  "[Recent]\nFile1=a.kmf");
    store = start();
    EXPECT_TRUE(store->isOn(OptionSwitch::Margins));
    EXPECT_TRUE(fileText(folder.path()).contains(QStringLiteral("Color=false\nMargins=true\n")));
    store->resetSwitches();
    EXPECT_FALSE(store->isOn(OptionSwitch::Margins));
}

TEST_F(SettingsStoreTest, ResetSwitchesRunsTheRuleOnlyWhenSomethingChanges)
{
    const auto store = start();
    store->setSwitch(OptionSwitch::Statics, false);
    store->setTakenSignal(TakenSignal::Current);
    store->setSentSignal(SentSignal::Control);
    session.setForceRerun(false);
    store->resetSwitches();
    EXPECT_TRUE(store->isOn(OptionSwitch::Statics));
    EXPECT_EQ(store->takenSignal(), TakenSignal::Speed);
    EXPECT_EQ(store->sentSignal(), SentSignal::Disturbance);
    EXPECT_TRUE(session.ForceRerun());

    session.setForceRerun(false);
    store->resetSwitches();
    EXPECT_FALSE(session.ForceRerun());
}

// --- Apply, reset and the settings files of the dialogs --------------------------------------

TEST_F(SettingsStoreTest, ApplyTakesConnectionAndFoldersOnlyFromASettingsText)
{
    const auto store = start();
    const QByteArray before = fileBytes();
    EXPECT_FALSE(store->applySettingsText(QString()));
    EXPECT_FALSE(store->applySettingsText(QStringLiteral("Models=/x/\nConnection=Other")));
    EXPECT_EQ(store->settings(), linesOf("Models=/x/\nConnection=Other"));
    EXPECT_EQ(store->connectionString(), DefaultConnection) << "no [Paths]";

    folders.ReportsFolder = QStringLiteral("/chosen/");
    EXPECT_EQ(store->applySettingsText(
                  QStringLiteral("[Paths]\nModels=/models/\nReports=\nConnection=Other\n")),
              QStringLiteral("Other"));
    EXPECT_EQ(store->settings(), linesOf("[Paths]\nModels=/models/\nReports=\nConnection=Other"))
        << "the last line end starts no further line";
    EXPECT_EQ(folders.ModelsFolder, QString()) << "nothing is taken before it is connected";
    store->takeAppliedPaths();
    EXPECT_EQ(store->connectionString(), QStringLiteral("Other"));
    EXPECT_EQ(folders.ModelsFolder, QStringLiteral("/models/"));
    EXPECT_EQ(folders.ReportsFolder, QStringLiteral("/chosen/")) << "an empty value keeps it";
    EXPECT_EQ(fileBytes(), before) << "Apply never writes the file";
}

TEST_F(SettingsStoreTest, ResetAfterOpeningFromAnotherFolderWritesThere)
{
    const auto store = start();
    const QByteArray before = fileBytes();
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("copy.ini"));
    ASSERT_TRUE(WriteTextFile(copy, linesOf("[Paths]\nColor=false")).ok);
    EXPECT_EQ(store->openSettingsCopy(copy), linesOf("[Paths]\nColor=false"));
    const QString there = FolderOf(copy);
    EXPECT_EQ(store->settingsSaveDialog().folder, there);

    store->resetFiles();
    EXPECT_EQ(fileText(other.path()),
              QStringLiteral("[Paths]\nModels=%1\nReports=%1\nQueries=%1\n"
                             "Connection=Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1"
                             "Kinetra.mdb\n\n[Report]\nColor=")
                  .arg(there));
    EXPECT_EQ(folders.QueriesFolder, there);
    EXPECT_EQ(fileBytes(), before) << "the working directory's file is left alone";
}

TEST_F(SettingsStoreTest, OnlyACopyWrittenOrReadMovesItsFolder)
{
    const auto store = start();
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("copy.ini"));
    ASSERT_TRUE(store->saveSettingsCopy(copy, QStringLiteral("[Paths]\n")));
    EXPECT_EQ(ReadTextFile(copy).value, QStringList{QStringLiteral("[Paths]")});
    EXPECT_EQ(folders.SettingsFolder, FolderOf(copy));

    folders.SettingsFolder.clear();
    EXPECT_FALSE(store->saveSettingsCopy(other.path(), QStringLiteral("[Paths]")));
    EXPECT_FALSE(store->openSettingsCopy(other.filePath(QStringLiteral("gone.ini"))));
    EXPECT_TRUE(sink.messages.value(0).startsWith(QStringLiteral("Не сохранить файл ")));
    EXPECT_EQ(sink.messages.value(1),
              QStringLiteral("Не открыть файл gone.ini\nНет такого файла или папки"))
        << "the failed open says why";
    EXPECT_TRUE(folders.SettingsFolder.isEmpty());

    // A query cut short at a NUL would run as half of itself.
    const QString query = other.filePath(QStringLiteral("query.txt"));
    const QByteArray nul("SELECT *\r\nFROM Motors\0 WHERE P > 1\r\n", 36);
    QFile file(query);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(nul) == nul.size());
    file.close();
    folders.QueriesFolder.clear();
    EXPECT_FALSE(store->openQueryCopy(query));
    EXPECT_EQ(
        sink.messages.constLast(),
        QStringLiteral("Не открыть файл query.txt\nНулевой байт в строке 2: файл не текстовый"));
    EXPECT_TRUE(folders.QueriesFolder.isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), nul);
}

} // namespace
} // namespace kinetra::test
