#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include "charts/ChartLayoutAfterFirstPaint.h"

namespace kinetra::test {
namespace {

// A chart no one sees waits with its layout while the first window paints; it is laid out right
// after, and never left out.
TEST(ChartLayoutAfterFirstPaintTest, HiddenChartIsLaidOutOnceTheFirstWindowHasPainted)
{
    const ChartLayoutAfterFirstPaint deferral;
    auto* chart = new QChart;
    QChartView hidden(chart);
    chart->resize(640, 480);
    auto* axis = new QValueAxis;
    chart->addAxis(axis, Qt::AlignLeft);
    auto* series = new QLineSeries;
    chart->addSeries(series);
    series->attachAxis(axis);
    QApplication::processEvents();
    EXPECT_FALSE(chart->layout()->isActivated()) << "laid out before any window painted";

    QWidget first;
    first.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    // The first idle moment, then the layout it asks for.
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(chart->layout()->isActivated());
}

} // namespace
} // namespace kinetra::test
