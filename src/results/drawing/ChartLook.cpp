#include "ChartLook.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>

namespace kinetra {

namespace {

const QColor ButtonFace(192, 192, 192);

// The width a chart gives its curves; a limit line is thinner, told apart from the curves.
constexpr qreal CurveWidth = 2;
constexpr qreal LimitWidth = 1;

// The colour of a limited current or torque and of its limit, apart from the red of the left
// axis's quantity.
const QColor LimitedColour(224, 112, 0);

// A long dash, told apart from the dashes of the other curves.
QPen LongDashed(QPen pen)
{
    pen.setDashPattern({8, 3});
    return pen;
}

// How much of an earlier run's colour shows, out of 255.
constexpr int EarlierRunAlpha = 110;

ChartLook BaseLook()
{
    ChartLook look;
    look.grid = QPen(ButtonFace, 1, Qt::SolidLine);
    look.minorGrid = QPen(QColor(224, 224, 224), 1, Qt::SolidLine);
    look.axisTitles.setBold(true);
    return look;
}

// A locale that writes numbers with this separator, ASCII digits and "-", and no groups.
QLocale NumbersWith(QChar decimalSeparator)
{
    QLocale locale = QLocale::system();
    if (locale.decimalPoint() != decimalSeparator)
        locale =
            decimalSeparator == u',' ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

QPen ChartLook::curve(CurveRole role) const
{
    struct Style {
        QColor colour;
        Qt::PenStyle colourLine;
        Qt::PenStyle monochromeLine;
    };
    const Style style = [role]() -> Style {
        switch (role) {
        case CurveRole::TorqueOrCurrent:
            return {Qt::red, Qt::SolidLine, Qt::SolidLine};
        case CurveRole::MechanismSpeed:
            return {Qt::blue, Qt::SolidLine, Qt::DashLine};
        case CurveRole::MotorSpeed:
            return {QColor(0, 144, 144), Qt::SolidLine, Qt::DotLine};
        case CurveRole::Statics:
            return {QColor(0, 128, 0), Qt::SolidLine, Qt::SolidLine};
        case CurveRole::Position:
            return {QColor(128, 0, 128), Qt::SolidLine, Qt::DashDotLine};
        case CurveRole::PositionLimit:
            return {QColor(128, 0, 128), Qt::DashLine, Qt::DotLine};
        case CurveRole::Limited:
            return {LimitedColour, Qt::SolidLine, Qt::DashDotDotLine};
        case CurveRole::LoopLimit:
            return {LimitedColour, Qt::DashLine, Qt::DotLine};
        }
        return {Qt::black, Qt::SolidLine, Qt::SolidLine};
    }();
    const qreal width = role == CurveRole::LoopLimit ? LimitWidth : CurveWidth;
    return colour ? QPen(style.colour, width, style.colourLine)
                  : QPen(Qt::black, width, style.monochromeLine);
}

QPen ChartLook::printedCurve(CurveRole role) const
{
    const QColor ink(64, 0, 64);
    if (role == CurveRole::Limited)
        return LongDashed(QPen(ink, 1.5));
    if (role == CurveRole::LoopLimit)
        return QPen(ink, LimitWidth, Qt::DotLine);
    const Qt::PenStyle line = [role] {
        switch (role) {
        case CurveRole::TorqueOrCurrent:
            return Qt::DashDotDotLine;
        case CurveRole::MotorSpeed:
            return Qt::DashLine;
        case CurveRole::Position:
            return Qt::DashDotLine;
        case CurveRole::PositionLimit:
            return Qt::DotLine;
        case CurveRole::MechanismSpeed:
        case CurveRole::Statics:
        case CurveRole::Limited:
        case CurveRole::LoopLimit:
            break;
        }
        return Qt::SolidLine;
    }();
    return QPen(ink, 1.5, line);
}

ChartLook ResultsChartLook(bool colour, QChar decimalSeparator)
{
    ChartLook look = BaseLook();
    look.colour = colour;
    if (!colour)
        look.grid = QPen(Qt::black, 1, Qt::DotLine);
    look.numbers = NumbersWith(decimalSeparator);
    return look;
}

ChartLook SignalsChartLook()
{
    ChartLook look = BaseLook();
    look.margins = QMargins(2, 2, 2, 2);
    look.numbers = QLocale::system();
    return look;
}

QPen EarlierRunPen(QPen drawn, bool dashed)
{
    QColor colour = drawn.color();
    colour.setAlpha(EarlierRunAlpha);
    drawn.setColor(colour);
    if (dashed)
        drawn.setStyle(Qt::DashLine);
    return drawn;
}

void ApplyChartFrame(QChart& chart, const ChartLook& look)
{
    chart.setBackgroundBrush(look.background);
    chart.setBackgroundRoundness(0);
    chart.setMargins(look.margins);
    chart.setLocalizeNumbers(true);
    chart.setLocale(look.numbers);
    chart.setTitleFont(look.text);
    chart.legend()->setFont(look.text);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsFont(look.text);
        axis->setTitleFont(look.axisTitles);
    }
}

void ApplyChartLook(QChart& chart, const ChartLook& look)
{
    ApplyChartFrame(chart, look);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setGridLinePen(look.grid);
        axis->setMinorGridLinePen(look.minorGrid);
    }
}

} // namespace kinetra
