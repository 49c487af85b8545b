#include <gtest/gtest.h>

#include <QImage>

#include "ChartLook.h"
#include "ReportCharts.h"
#include "RunCharts.h"

namespace kinetra::test {
namespace {

// The pixels of a chart as the report draws it that have the grey of the coloured grid.
qsizetype GridGreyPixels(bool colour)
{
    const QImage picture = QImage::fromData(ReportCharts::Png(
        ChartsBeforeAnyRun(u',').dynamics, ResultsChartLook(colour, u','), QSizeF(80, 50)));
    const QColor grey = ResultsChartLook(true, u',').grid.color();
    qsizetype count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += picture.pixelColor(x, y) == grey;
    return count;
}

// This program links the report's drawing and no window library, as the command-line simulator
// does; the build refuses either if one creeps in. The chart it draws wears the shared look: its
// grid is grey in colour, and black in black and white, where only the odd edge of a letter
// still happens to be that grey.
TEST(ReportCharts, DrawTheSharedLookWithoutAnyWindowLibrary)
{
    EXPECT_GT(GridGreyPixels(true), 4 * GridGreyPixels(false));
}

} // namespace
} // namespace kinetra::test
