#include "text/TextFile.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace kinetra {
namespace {

const QString Cyrillic = QString::fromUtf8("Двигатель АИР80 ёЁ №");
const QByteArray CyrillicCp1251 =
    "\xC4\xE2\xE8\xE3\xE0\xF2\xE5\xEB\xFC \xC0\xC8\xD0\x38\x30 \xB8\xA8 \xB9";

class TextFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray readBytes(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
};

QStringList Lines(const QByteArray& bytes)
{
    return DecodeTextLines(bytes).value;
}

TEST(TextLines, SplitsAtEveryKindOfLineEnd)
{
    EXPECT_EQ(Lines("a\r\nb\nc\rd\r\n"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\n\r\nb\r\r\n"), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(Lines("\r\n"), QStringList{""});
}

TEST(TextLines, KeepsTextAfterTheLastLineEnd)
{
    EXPECT_EQ(Lines("a\r\nb"), (QStringList{"a", "b"}));
    EXPECT_EQ(Lines("a"), QStringList{"a"});
    EXPECT_EQ(Lines(""), QStringList());
}

// A NUL ends no text: the file is refused with the line it stands on, in either encoding.
TEST(TextLines, NulRefusesTheTextNamingItsLine)
{
    const struct {
        QByteArray bytes;
        int line;
    } cases[]{
        {QByteArray("a\r\nb\0c\r\nd", 10), 2},
        {QByteArray("\0a", 2), 1},
        {QByteArray("a\rb\n\r\n\0", 8), 4},
        {QByteArray("\xEF\xBB\xBF[Motor]\r\nMotor=\xD0\x9F\0", 21), 2},
    };
    for (const auto& [bytes, line] : cases) {
        const QString reason =
            QStringLiteral("Нулевой байт в строке %1: файл не текстовый").arg(line);
        const TextFileRead read = DecodeTextLines(bytes);
        EXPECT_FALSE(read.ok) << bytes.toHex().toStdString();
        EXPECT_EQ(read.error, reason);
        EXPECT_EQ(DecodeTextOrUtf8(bytes).error, reason) << bytes.toHex().toStdString();
    }
}

TEST(TextLines, EveryByteButLineEndsAndNulSurvivesARoundTrip)
{
    QByteArray bytes;
    for (int byte = 1; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            bytes += char(byte);
    }
    const QStringList lines = Lines(bytes);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(EncodeTextLines(lines), bytes + "\r\n");
}

// UTF-8 is read when the file is marked as UTF-8 or decodes as UTF-8 with something beyond
// ASCII; Windows-1251 Cyrillic never does.
TEST(TextLines, Utf8IsReadWhenTheBytesAreUtf8)
{
    const QByteArray cyrillicUtf8 = Cyrillic.toUtf8();
    const struct {
        QByteArray bytes;
        bool utf8;
    } cases[]{
        {"\xEF\xBB\xBFMotor=" + cyrillicUtf8 + "\r\n", true},
        {"Motor=" + cyrillicUtf8 + "\r\n", true},
        {"Motor=" + CyrillicCp1251 + "\r\n", false},
    };
    for (const auto& [bytes, utf8] : cases) {
        const TextContentRead read = DecodeTextOrUtf8(bytes);
        ASSERT_TRUE(read.ok) << read.error.toStdString();
        EXPECT_EQ(read.value.utf8, utf8) << bytes.toHex().toStdString();
        EXPECT_EQ(read.value.lines, QStringList{"Motor=" + Cyrillic});
    }
    const TextContentRead ascii = DecodeTextOrUtf8("R1=1\r\n");
    EXPECT_FALSE(ascii.value.utf8);
    EXPECT_EQ(DecodeTextOrUtf8("\xEF\xBB\xBF[Motor]\r\nMotor=" + CyrillicCp1251).error,
              QStringLiteral("Строка 2 не в кодировке UTF-8, хотя файл помечен как UTF-8"));
}

TEST(TextLines, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(EncodeTextLines({QString::fromUtf8("a€中😀b")}), "a\x88??b\r\n");
    // A NUL would end the file early when it is read again.
    EXPECT_EQ(EncodeTextLines({QString(QChar(0)) + u'x'}), "?x\r\n");
    EXPECT_TRUE(FitsCodePage({"a€", Cyrillic}));
    EXPECT_FALSE(FitsCodePage({"a", QString::fromUtf8("中")}));
}

TEST_F(TextFileTest, RoundTripsCyrillicText)
{
    const QStringList lines{"[Motor]", "Motor=" + Cyrillic, "", "R1=0,5"};
    const Status written = WriteTextFile(path("model.kmf"), lines);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_EQ(readBytes("model.kmf"), "[Motor]\r\nMotor=" + CyrillicCp1251 + "\r\n\r\nR1=0,5\r\n");

    const TextFileRead read = ReadTextFile(path("model.kmf"));
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.value, lines);
}

TEST_F(TextFileTest, ReadsMixedLineEndsAndRefusesANul)
{
    writeBytes("mixed.kmf", "R1=1\nR2=2\rR3=3\r\n");
    const TextFileRead read = ReadTextFile(path("mixed.kmf"));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.value, (QStringList{"R1=1", "R2=2", "R3=3"}));

    constexpr char Nul[] = "R1=1\nR2=2\rR3=3\0R4=4\r\n";
    writeBytes("nul.kmf", QByteArray(Nul, sizeof Nul - 1));
    for (const Status& refused :
         {Status(ReadTextFile(path("nul.kmf"))), Status(ReadTextFileOrUtf8(path("nul.kmf")))}) {
        EXPECT_FALSE(refused.ok);
        EXPECT_EQ(refused.error, QStringLiteral("Нулевой байт в строке 3: файл не текстовый"));
    }
}

TEST_F(TextFileTest, NoLinesMakeAnEmptyFile)
{
    ASSERT_TRUE(WriteTextFile(path("empty.kmf"), {}).ok);
    EXPECT_EQ(readBytes("empty.kmf"), QByteArray());
    const TextFileRead read = ReadTextFile(path("empty.kmf"));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.value.isEmpty());
}

TEST_F(TextFileTest, RewriteReplacesTheWholeFile)
{
    ASSERT_TRUE(WriteTextFile(path("model.kmf"), {"a long first version", "second"}).ok);
    ASSERT_TRUE(WriteTextFile(path("model.kmf"), {"b"}).ok);
    EXPECT_EQ(readBytes("model.kmf"), "b\r\n");
}

// What cannot be read says why in the program's words; a pipe or an endless device is not even
// opened, since reading it would block or never end.
TEST_F(TextFileTest, WhatIsNoReadableTextFileGivesItsReason)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.kmf")).constData(), 0600), 0);
    for (const auto& [target, reason] :
         {std::pair{path("missing.kmf"), "Нет такого файла или папки"},
          std::pair{path("pipe.kmf"), "Это не обычный файл"},
          std::pair{QStringLiteral("/dev/zero"), "Это не обычный файл"},
          std::pair{path(""), "Это папка, а не файл"}}) {
        const TextFileRead read = ReadTextFile(target);
        EXPECT_FALSE(read.ok) << target.toStdString();
        EXPECT_EQ(read.error, QString::fromUtf8(reason));
        EXPECT_TRUE(read.value.isEmpty());
    }
}

TEST_F(TextFileTest, WriteIntoMissingFolderGivesAnError)
{
    const Status written = WriteTextFile(path("no such folder/model.kmf"), {"R1=1"});
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
}

#ifdef Q_OS_UNIX
// Caps the size of files this process may write, so that a write fails part-way even for root;
// the write then reports an error instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        const rlimit limit{bytes, m_previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

TEST_F(TextFileTest, FailedWriteKeepsTheOldFile)
{
    ASSERT_TRUE(WriteTextFile(path("model.kmf"), {"R1=1"}).ok);
    const QStringList large(10000, QStringLiteral("R1=0,123456789012345"));

    Status written;
    {
        const FileSizeLimit limit(4096);
        written = WriteTextFile(path("model.kmf"), large);
    }
    EXPECT_FALSE(written.ok);
    EXPECT_FALSE(written.error.isEmpty());
    EXPECT_EQ(readBytes("model.kmf"), "R1=1\r\n");
    EXPECT_EQ(QDir(path("")).entryList(QDir::Files), QStringList{"model.kmf"});
}
#endif

} // namespace
} // namespace kinetra
