#include "charts/ChartFile.h"

#include <array>

#include <QCoreApplication>
#include <QFileInfo>

#include "charts/WidgetPicture.h"

namespace kinetra {

namespace {

struct FormatName {
    ChartFormat format;
    QStringView extension;
};

constexpr std::array<FormatName, 5> Extensions{{{ChartFormat::Metafile, u"wmf"},
                                                {ChartFormat::Bitmap, u"bmp"},
                                                {ChartFormat::Csv, u"csv"},
                                                {ChartFormat::Png, u"png"},
                                                {ChartFormat::Svg, u"svg"}}};

// The format of each filter, in the order ChartFileFilter lists them.
constexpr std::array<ChartFormat, 6> FilterFormats{ChartFormat::Metafile, ChartFormat::Bitmap,
                                                   ChartFormat::Bitmap,   ChartFormat::Csv,
                                                   ChartFormat::Png,      ChartFormat::Svg};

QStringView ExtensionOf(ChartFormat format)
{
    for (const FormatName& name : Extensions)
        if (name.format == format)
            return name.extension;
    return {};
}

} // namespace

QString ChartFileFilter()
{
    return QCoreApplication::translate(
        "ChartFile", "Метафайлы (*.wmf)|*.wmf|Рисунки (*.bmp)|*.bmp|Все файлы (*.*)|*.*|"
                     "Данные кривых (*.csv)|*.csv|Рисунки PNG (*.png)|*.png|"
                     "Рисунки SVG (*.svg)|*.svg");
}

ChartFile ChooseChartFile(const QString& typedPath, int filterIndex)
{
    const QString typed = QFileInfo(typedPath).suffix();
    for (const FormatName& name : Extensions)
        if (typed.compare(name.extension, Qt::CaseInsensitive) == 0)
            return {typedPath, name.format};
    const auto filter = static_cast<std::size_t>(filterIndex - 1);
    const ChartFormat format =
        filter < FilterFormats.size() ? FilterFormats[filter] : ChartFormat::Bitmap;
    QString path = typedPath;
    if (!path.endsWith(u'.'))
        path += u'.';
    path += ExtensionOf(format);
    return {path, format};
}

Status SaveChartFile(QWidget& chart, const ChartFile& file, const ChartTable& curves,
                     QChar decimalSeparator)
{
    switch (file.format) {
    case ChartFormat::Metafile:
        return SaveWidgetAsMetafile(chart, file.path);
    case ChartFormat::Bitmap:
        return SaveWidgetAsBitmap(chart, file.path);
    case ChartFormat::Png:
        return SaveWidgetAsPng(chart, file.path);
    case ChartFormat::Svg:
        return SaveWidgetAsSvg(chart, file.path);
    case ChartFormat::Csv:
        break;
    }
    return SaveChartCurves(curves, file.path, decimalSeparator);
}

} // namespace kinetra
