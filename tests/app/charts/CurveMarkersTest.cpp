#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QPicture>
#include <QTest>
#include <QValueAxis>

#include <cmath>
#include <memory>

#include "charts/ChartCurves.h"
#include "charts/CurveMarkers.h"
#include "charts/ThinnedCurve.h"

namespace kinetra::test {
namespace {

// A rippling curve whose dots overlap, crossed by a line added after it, on a chart drawn as the
// results window draws its charts: white, without antialiasing.
class MarkedChart {
public:
    enum class Markers { QtCharts, Layer };

    explicit MarkedChart(Markers markers) : view(new QChart)
    {
        QChart* chart = view.chart();
        chart->setBackgroundBrush(Qt::white);
        chart->legend()->hide();
        chart->addAxis(&time, Qt::AlignBottom);
        chart->addAxis(&value, Qt::AlignLeft);
        time.setRange(-0.1, 1);
        value.setRange(-1.5, 1.5);
        torque->setColor(Qt::red);
        torque->setMarkerSize(2);
        QList<QPointF> ripple;
        for (int i = 0; i <= 600; ++i)
            ripple.append({i / 600.0, std::sin(i / 7.0) + (i == 0 ? -1 : 0)});
        if (markers == Markers::QtCharts) {
            chart->addSeries(torque);
            torque->attachAxis(&time);
            torque->attachAxis(&value);
            torque->setPointsVisible(true);
            torque->setPointConfiguration(0, QXYSeries::PointConfiguration::Color,
                                          QColor(Qt::white));
            torque->replace(ripple);
        } else {
            layer = &CurveMarkers::addSeries(*chart, *torque, time, value);
            ThinnedCurve::show(*torque, ripple);
        }
        auto* speed = new QLineSeries;
        speed->setColor(Qt::blue);
        chart->addSeries(speed);
        speed->attachAxis(&time);
        speed->attachAxis(&value);
        speed->replace({{0, -1.5}, {1, 1.5}});
        view.setRenderHint(QPainter::Antialiasing, false);
        view.resize(420, 300);
        view.show();
        exposed = QTest::qWaitForWindowExposed(&view);
    }

    QImage picture() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The chart drawn through a paint device that records shapes, as printers and vector files do.
    QImage pictureOfShapes()
    {
        QPicture shapes;
        QPainter recorder(&shapes);
        view.render(&recorder);
        recorder.end();
        QImage image(view.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter player(&image);
        player.drawPicture(0, 0, shapes);
        return image;
    }

    QChartView view;
    QValueAxis time;
    QValueAxis value;
    QLineSeries* torque = new QLineSeries;
    CurveMarkers* layer = nullptr;
    bool exposed = false;
};

qsizetype PixelsApart(const QImage& a, const QImage& b)
{
    qsizetype apart = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            apart += a.pixel(x, y) != b.pixel(x, y);
    return apart;
}

qsizetype PixelsOf(const QImage& image, QRgb colour)
{
    qsizetype count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// The dots look as QtCharts draws a series' points: the white first one, the later series over
// them, and the same pixels but for an edge here and there, where a dot's place within the pixel
// was rounded to an eighth or the thinned line passes a tenth of a pixel off a point. Through a
// vector device every dot is the chart's own ellipse.
TEST(CurveMarkersTest, DotsLookAsTheChartsOwnPointsOnScreenAndInVectorFiles)
{
    MarkedChart reference(MarkedChart::Markers::QtCharts);
    MarkedChart layered(MarkedChart::Markers::Layer);
    ASSERT_TRUE(reference.exposed && layered.exposed);
    const QImage expected = reference.picture();
    const QImage drawn = layered.picture();
    const qsizetype red = PixelsOf(expected, qRgb(255, 0, 0));
    ASSERT_GT(red, 3000);
    EXPECT_LT(PixelsApart(drawn, expected), red / 20);
    EXPECT_EQ(PixelsOf(drawn, qRgb(0, 0, 255)), PixelsOf(expected, qRgb(0, 0, 255)));
    QChart& chart = *layered.view.chart();
    const QPoint first =
        layered.view.mapFromScene(chart.mapToScene(chart.mapToPosition({0, -1}, layered.torque)));
    EXPECT_EQ(expected.pixel(first), qRgb(255, 255, 255));
    EXPECT_EQ(drawn.pixel(first), qRgb(255, 255, 255));
    EXPECT_LT(PixelsApart(layered.pictureOfShapes(), reference.pictureOfShapes()), red / 20);
}

TEST(CurveMarkersTest, DotsFollowTheAxesThePlotThePenAndTheSeriesVisibility)
{
    MarkedChart chart(MarkedChart::Markers::Layer);
    ASSERT_TRUE(chart.exposed);
    QChart& view = *chart.view.chart();
    const auto lastDotWhereTheChartPutsTheLastPoint = [&] {
        const QPointF apart =
            chart.layer->centres().constLast() + view.plotArea().topLeft() -
            view.mapToPosition(FullCurve(*chart.torque).constLast(), chart.torque);
        return apart.manhattanLength() < 1e-9;
    };
    ASSERT_EQ(chart.layer->centres().size(), 601);
    EXPECT_TRUE(lastDotWhereTheChartPutsTheLastPoint());
    chart.time.setRange(0.5, 1);
    chart.value.setRange(0, 3);
    EXPECT_TRUE(lastDotWhereTheChartPutsTheLastPoint());
    chart.view.resize(520, 380);
    QApplication::processEvents();
    EXPECT_TRUE(lastDotWhereTheChartPutsTheLastPoint());

    chart.torque->setColor(Qt::darkGreen);
    EXPECT_GT(PixelsOf(chart.picture(), QColor(Qt::darkGreen).rgb()), 1000);
    chart.torque->setVisible(false);
    EXPECT_FALSE(chart.layer->isVisible());
    chart.torque->setVisible(true);
    EXPECT_TRUE(chart.layer->isVisible());
    ThinnedCurve::show(*chart.torque, {});
    EXPECT_TRUE(chart.layer->centres().isEmpty());
}

} // namespace
} // namespace kinetra::test
