#include "charts/ChartCurves.h"

#include <algorithm>

#include <QAbstractAxis>
#include <QChart>
#include <QXYSeries>

#include "text/CsvText.h"
#include "text/FileSave.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

QString Number(qreal value, QChar decimalSeparator)
{
    return GeneralNumber(value, DoubleDigits, decimalSeparator);
}

bool SharesXOf(const Curve& curve, const Curve& longest)
{
    return std::equal(curve.points.begin(), curve.points.end(), longest.points.begin(),
                      [](QPointF a, QPointF b) { return a.x() == b.x(); });
}

} // namespace

QString CurveTitle(const QString& name, const QString& axisTitle)
{
    const qsizetype comma = axisTitle.lastIndexOf(QStringLiteral(", "));
    const QString unit = comma < 0 ? QString() : axisTitle.mid(comma + 2);
    return unit.isEmpty() ? name : name + QStringLiteral(", ") + unit;
}

QStringList CurveTableLines(const QString& xTitle, const std::vector<Curve>& curves,
                            QChar decimalSeparator)
{
    const QChar separator = decimalSeparator == u',' ? u';' : u',';
    const auto longest = std::max_element(curves.begin(), curves.end(), [](auto& a, auto& b) {
        return a.points.size() < b.points.size();
    });
    if (longest == curves.end())
        return {CsvField(xTitle, separator)};
    const bool sharedX = std::all_of(curves.begin(), curves.end(), [&](const Curve& curve) {
        return SharesXOf(curve, *longest);
    });

    QStringList header;
    if (sharedX)
        header.append(CsvField(xTitle, separator));
    for (const Curve& curve : curves) {
        if (!sharedX)
            header.append(CsvField(xTitle + QStringLiteral(" (") + curve.title + u')', separator));
        header.append(CsvField(curve.title, separator));
    }
    QStringList lines{header.join(separator)};
    for (qsizetype row = 0; row < longest->points.size(); ++row) {
        QStringList fields;
        if (sharedX)
            fields.append(Number(longest->points.at(row).x(), decimalSeparator));
        for (const Curve& curve : curves) {
            const bool has = row < curve.points.size();
            if (!sharedX)
                fields.append(has ? Number(curve.points.at(row).x(), decimalSeparator) : QString());
            fields.append(has ? Number(curve.points.at(row).y(), decimalSeparator) : QString());
        }
        lines.append(fields.join(separator));
    }
    return lines;
}

QList<QPointF> FullCurve(const QXYSeries& series)
{
    const QVariant full = series.property(FullCurveProperty);
    return full.isValid() ? full.value<QList<QPointF>>() : series.points();
}

ChartTable CurvesOnShow(const QChart& chart)
{
    ChartTable table;
    for (QAbstractSeries* series : chart.series()) {
        auto* xy = qobject_cast<QXYSeries*>(series);
        if (!xy || !xy->isVisible() || xy->count() == 0)
            continue;
        QString yTitle;
        for (QAbstractAxis* axis : xy->attachedAxes()) {
            if (axis->orientation() == Qt::Horizontal)
                table.xTitle = axis->titleText();
            else
                yTitle = axis->titleText();
        }
        table.curves.push_back({CurveTitle(xy->name(), yTitle), FullCurve(*xy)});
    }
    return table;
}

Status SaveChartCurves(const ChartTable& table, const QString& path, QChar decimalSeparator)
{
    // UTF-8 without a byte-order mark: data tools (Python's csv module, pandas) would read the
    // mark as part of the first title, and a spreadsheet is told the encoding on import.
    QByteArray bytes;
    for (const QString& line : CurveTableLines(table.xTitle, table.curves, decimalSeparator))
        bytes += line.toUtf8() + "\r\n";
    return SaveFile(path, bytes);
}

} // namespace kinetra
