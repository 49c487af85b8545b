#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QValueAxis>

#include "MetafilePlayer.h"
#include "charts/WidgetPicture.h"

namespace kinetra::test {
namespace {

const QString TorqueTitle = QStringLiteral("Момент, Нм");
const QString TimeTitle = QStringLiteral("Время, с");

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<Drawing> TextDrawing(const Playback& playback, const QString& text)
{
    const auto texts = playback.all(ExtTextOut);
    const auto found = std::find_if(texts.begin(), texts.end(), [&text](const Drawing& drawing) {
        return drawing.record.text() == text;
    });
    return found != texts.end() ? std::optional(*found) : std::nullopt;
}

// A results chart as the windows show one: a line series on value axes with Russian titles.
class ChartPicture : public ::testing::Test {
protected:
    ChartPicture()
    {
        auto* series = new QLineSeries;
        series->setName(QStringLiteral("Момент"));
        for (int i = 0; i <= 100; ++i)
            series->append(i * 0.02, 40 * std::sin(i * 0.1));
        QChart* chart = view.chart();
        chart->addSeries(series);
        auto* time = new QValueAxis;
        time->setTitleText(TimeTitle);
        auto* torque = new QValueAxis;
        torque->setTitleText(TorqueTitle);
        chart->addAxis(time, Qt::AlignBottom);
        chart->addAxis(torque, Qt::AlignLeft);
        series->attachAxis(time);
        series->attachAxis(torque);
        view.resize(640, 400);
        view.show();
        view.grab(); // lays the chart out as on the screen
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.wmf"));
    QChartView view;
};

TEST_F(ChartPicture, ChartBecomesAVectorPictureWithItsTitles)
{
    const Status saved = SaveWidgetAsMetafile(view, path);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();
    const Metafile metafile(ReadAll(path));
    EXPECT_EQ(metafile.placeable[5], 640);
    EXPECT_EQ(metafile.placeable[6], 400);
    const Playback playback(metafile);
    EXPECT_EQ(playback.faults, QStringList());

    const std::optional<Drawing> torque = TextDrawing(playback, TorqueTitle);
    const std::optional<Drawing> time = TextDrawing(playback, TimeTitle);
    ASSERT_TRUE(torque && time);
    EXPECT_EQ(torque->font.word(2), 900);
    EXPECT_EQ(time->font.word(2), 0);
    EXPECT_GT(playback.all(ExtTextOut).size(), 8u) << "tick labels";

    const auto lines = playback.all(Polyline);
    const auto longest = std::max_element(lines.begin(), lines.end(), [](auto& a, auto& b) {
        return a.record.polygons().front().size() < b.record.polygons().front().size();
    });
    ASSERT_NE(longest, lines.end());
    EXPECT_GE(longest->record.polygons().front().size(), 50) << "the series";
    EXPECT_GE(std::count_if(lines.begin(), lines.end(),
                            [](auto& line) { return line.record.polygons().front().size() == 2; }),
              8)
        << "grid lines and ticks";
}

TEST_F(ChartPicture, ReaderDrawsTheChartWithItsTitles)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (reader.isEmpty())
        GTEST_SKIP() << "wmf2svg (Debian package libwmf-bin) is not installed";
    const Status saved = SaveWidgetAsMetafile(view, path);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();

    const QString svgPath = folder.filePath(QStringLiteral("chart.svg"));
    QProcess conversion;
    conversion.start(reader, {QStringLiteral("-o"), svgPath, path});
    ASSERT_TRUE(conversion.waitForFinished(30000));
    EXPECT_EQ(conversion.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(conversion.exitCode(), 0) << conversion.readAllStandardError().toStdString();

    // The reader passes a label's bytes through as the file stores them, in the Russian code page.
    const QByteArray svg = ReadAll(svgPath);
    const QByteArray title = QStringEncoder("windows-1251").encode(TorqueTitle);
    EXPECT_TRUE(svg.contains(title));
    EXPECT_TRUE(svg.contains("<polyline"));
}

TEST(WidgetPictures, BitmapIsTheWidgetAsShown)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("chart.bmp"));
    QWidget widget;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
    widget.resize(50, 30);
    const Status saved = SaveWidgetAsBitmap(widget, path);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_TRUE(ReadAll(path).startsWith("BM"));
    const QImage image(path);
    EXPECT_EQ(image.size(), QSize(50, 30));
    EXPECT_EQ(image.pixelColor(25, 15), QColor(10, 200, 30));
}

TEST(WidgetPictures, FailedSaveKeepsTheEarlierFileAndSaysWhy)
{
    QTemporaryDir folder;
    const QString earlier = folder.filePath(QStringLiteral("chart.wmf"));
    QFile file(earlier);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("earlier") == 7);
    file.close();
    const QString missing = folder.filePath(QStringLiteral("missing/chart.wmf"));
    QWidget widget;
    widget.resize(40, 30);

    for (const Status& failed :
         {SaveWidgetAsMetafile(widget, missing), SaveWidgetAsBitmap(widget, missing)}) {
        EXPECT_FALSE(failed.ok);
        EXPECT_FALSE(failed.error.isEmpty());
    }
    EXPECT_EQ(ReadAll(earlier), "earlier");
    EXPECT_FALSE(QFile::exists(missing));

    const Status saved = SaveWidgetAsMetafile(widget, earlier);
    EXPECT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_TRUE(ReadAll(earlier).startsWith("\xd7\xcd\xc6\x9a"));
}

} // namespace
} // namespace kinetra::test
