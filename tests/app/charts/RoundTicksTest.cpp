#include <gtest/gtest.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QLocale>
#include <QTest>
#include <QValueAxis>

#include <functional>

#include "TickProbe.h"
#include "charts/RoundTicks.h"

namespace kinetra::test {
namespace {

// A chart on show with a round-ticked time axis, a round-ticked value axis and a value axis
// whose interval the caller chooses.
class RoundTicksTest : public ::testing::Test {
protected:
    RoundTicksTest()
    {
        chart->addAxis(time, Qt::AlignBottom);
        chart->addAxis(value, Qt::AlignLeft);
        chart->addAxis(chosen, Qt::AlignRight);
        KeepRoundTicksAndLabelledEnds(*time, QLocale::system().decimalPoint().at(0));
        KeepRoundTicks(*value);
        chosen->setTickType(QValueAxis::TicksDynamic);
        // One curve for each value axis: a curve's axes share its domain, whose range each of
        // them follows.
        for (QValueAxis* axis : {value, chosen}) {
            auto* series = new QLineSeries(chart);
            series->append({{0, 0}, {1, 1}});
            chart->addSeries(series);
            series->attachAxis(time);
            series->attachAxis(axis);
        }
        ShowRoundRange(*time, 0, 1);
        ShowRoundRange(*value, 0, 1);
        SetRangeAndTickInterval(*chosen, 0, 1, 0.2);
        view.resize(640, 480);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QChart* chart = new QChart;
    QCategoryAxis* time = new QCategoryAxis;
    QValueAxis* value = new QValueAxis;
    QValueAxis* chosen = new QValueAxis;
    QChartView view{chart};
};

TEST_F(RoundTicksTest, RangeGrowingOrShrinkingTenThousandfoldNeverLaysOutThousandsOfTicks)
{
    struct Case {
        const char* name;
        std::function<void(qreal maximum)> show;
    };
    const std::vector<Case> cases{
        {"a round range", [this](qreal m) { ShowRoundRange(*value, 0, m); }},
        // As the chart's own zooms and moves set it.
        {"a bare range", [this](qreal m) { value->setRange(-m / 3, m); }},
        {"a chosen interval", [this](qreal m) { SetRangeAndTickInterval(*chosen, 0, m, m / 5); }},
        {"the time axis", [this](qreal m) { ShowRoundRange(*time, 0, m); }},
    };
    for (const Case& c : cases) {
        TickProbe probe(*chart);
        for (const qreal maximum : {10000.0, 1.0, 0.0001, 1.0}) {
            c.show(maximum);
            QApplication::processEvents();
            probe.look();
        }
        EXPECT_GT(probe.mostLines(), 10) << c.name << ": the probe sees the ticks";
        EXPECT_LE(probe.mostLines(), TickProbe::MostLines) << c.name;
    }
}

TEST_F(RoundTicksTest, TicksStayRoundAndTheTimeAxisLabelsBothEnds)
{
    ShowRoundRange(*value, 0, 160);
    EXPECT_EQ(value->tickInterval(), 20);
    EXPECT_EQ(value->labelFormat(), QStringLiteral("%.0f"));
    value->setRange(0, 1.6); // a zoom of the chart's own
    EXPECT_DOUBLE_EQ(value->tickInterval(), 0.2);
    EXPECT_EQ(value->labelFormat(), QStringLiteral("%.1f"));

    ShowRoundRange(*time, 0, 2.5);
    const QString point = QLocale::system().decimalPoint();
    EXPECT_EQ(time->categoriesLabels().join(u' '),
              QStringLiteral("0 0,5 1 1,5 2 2,5").replace(u',', point));
    EXPECT_EQ(time->endValue(time->categoriesLabels().constLast()), 2.5);
}

} // namespace
} // namespace kinetra::test
