#include <gtest/gtest.h>

#include <vector>

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QLineSeries>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QValueAxis>

#include "charts/ChartFile.h"
#include "text/TextFile.h"

namespace kinetra::test {
namespace {

TEST(ChartFileChoice, TypedExtensionDecidesOtherwiseTheFilterNamesTheFile)
{
    struct Case {
        const char* typed;
        int filter;
        const char* path;
        ChartFormat format;
    };
    for (const Case& c : std::vector<Case>{
             {"run3", 2, "run3.bmp", ChartFormat::Bitmap},
             {"run3", 1, "run3.wmf", ChartFormat::Metafile},
             {"run3.bmp", 1, "run3.bmp", ChartFormat::Bitmap},
             {"run3.WMF", 2, "run3.WMF", ChartFormat::Metafile},
             {"run3", 3, "run3.bmp", ChartFormat::Bitmap},
             {"run3.txt", 3, "run3.txt.bmp", ChartFormat::Bitmap},
             {"run3", 4, "run3.csv", ChartFormat::Csv},
             {"run3.png", 4, "run3.png", ChartFormat::Png},
             {"run3", 6, "run3.svg", ChartFormat::Svg},
             {"run3.", 5, "run3.png", ChartFormat::Png},
         }) {
        const ChartFile file = ChooseChartFile(QLatin1String(c.typed), c.filter);
        EXPECT_EQ(file.path, QLatin1String(c.path)) << c.typed << " " << c.filter;
        EXPECT_EQ(file.format, c.format) << c.typed << " " << c.filter;
    }
    EXPECT_TRUE(ChartFileFilter().startsWith(
        QStringLiteral("Метафайлы (*.wmf)|*.wmf|Рисунки (*.bmp)|*.bmp|Все файлы (*.*)|*.*|")));
}

// Two runs on show: the latest one's torque and speed, and a shorter earlier torque curve.
class ChartExport : public ::testing::Test {
protected:
    ChartExport()
    {
        QChart* chart = view.chart();
        auto* time = new QValueAxis;
        time->setTitleText(QStringLiteral("Время, с"));
        auto* torque = new QValueAxis;
        torque->setTitleText(QStringLiteral("Момент, Нм"));
        auto* speed = new QValueAxis;
        speed->setTitleText(QStringLiteral("Скорость, рад/с"));
        chart->addAxis(time, Qt::AlignBottom);
        chart->addAxis(torque, Qt::AlignLeft);
        chart->addAxis(speed, Qt::AlignRight);
        const auto add = [&](const QString& name, QValueAxis* axis, const QList<QPointF>& points) {
            auto* series = new QLineSeries;
            series->setName(name);
            series->append(points);
            chart->addSeries(series);
            series->attachAxis(time);
            series->attachAxis(axis);
            return series;
        };
        add(QStringLiteral("Момент"), torque, {{0, 0}, {0.001, 12.5}, {0.002, -3.25}});
        add(QStringLiteral("Скорость механизма"), speed, {{0, 0}, {0.001, 1e-7}, {0.002, 150}});
        add(QStringLiteral("Скорость двигателя"), speed, {{0, 9}})->setVisible(false);
        add(QStringLiteral("Момент (расчет 1)"), torque, {{0, 0}, {0.001, 7}});
        view.resize(400, 300);
    }

    QStringList saved(const char* name, int filter)
    {
        const ChartFile file = ChooseChartFile(folder.filePath(QLatin1String(name)), filter);
        const Status saved = SaveChartFile(view, file, CurvesOnShow(*view.chart()), u',');
        EXPECT_TRUE(saved.ok) << saved.error.toStdString();
        return ReadTextFile(file.path).value;
    }
    QByteArray bytes(const char* name)
    {
        QFile file(folder.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    QChartView view;
};

// Read back as a data tool reads it: Python's csv module on the UTF-8 text, where a byte-order
// mark would become part of the first title.
TEST_F(ChartExport, CsvHoldsEveryCurveOnShowUnderItsNameAndUnit)
{
    const ChartFile file = ChooseChartFile(folder.filePath(QStringLiteral("curves")), 4);
    const Status saved = SaveChartFile(view, file, CurvesOnShow(*view.chart()), u',');
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();
    QProcess python;
    python.start(QStringLiteral(KINETRA_PYTHON),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv, sys\n"
                                 "with open(sys.argv[1], encoding='utf-8', newline='') as f:\n"
                                 "    for row in csv.reader(f, delimiter=';'):\n"
                                 "        print('|'.join(row))\n"),
                  file.path});
    ASSERT_TRUE(python.waitForFinished()) << KINETRA_PYTHON;
    // Decoded keeping a mark at the start, which QString::fromUtf8 would drop.
    QStringDecoder printed(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    EXPECT_EQ(QString(printed(python.readAllStandardOutput())).split(u'\n', Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("Время, с|Момент, Нм|Скорость механизма, рад/с|"
                                          "Момент (расчет 1), Нм"),
                           QStringLiteral("0|0|0|0"), QStringLiteral("0,001|12,5|1e-07|7"),
                           QStringLiteral("0,002|-3,25|150|")}))
        << python.readAllStandardError().toStdString();
}

TEST_F(ChartExport, PicturesAreWhatTheirNamesSay)
{
    saved("chart.png", 1);
    EXPECT_TRUE(bytes("chart.png").startsWith("\x89PNG"));
    saved("chart", 6);
    const QByteArray svg = bytes("chart.svg");
    EXPECT_TRUE(svg.contains("<svg")) << svg.left(200).toStdString();
    EXPECT_TRUE(svg.contains("width=\"400\""));
}

} // namespace
} // namespace kinetra::test
