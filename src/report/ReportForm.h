#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

namespace kinetra {

class ModelEditor;
struct ModelParams;

// The settings switches that choose what the report shows: the five designed parts, and the
// loops' stability margins under the controllers, shown only when asked for.
struct ReportSwitches {
    bool dynamics = true;
    bool statics = true;
    bool equipment = true;
    bool controllers = true;
    bool analysis = true;
    bool margins = false;
};

// The one-page report as laid out, without drawing: A4 portrait in millimetres with 20 mm
// margins, bands from the top of the printable area down. It exists from start-up to exit, and
// what the last report command composed (title, columns, chart widths, what is enabled) stays
// for the next production, so printing from the results window reprints it with fresh charts.
class ReportForm final {
public:
    // Page and band geometry, in millimetres.
    static constexpr double PageWidth = 210;
    static constexpr double PageHeight = 297;
    static constexpr double Margin = 20;
    static constexpr double BandWidth = PageWidth - 2 * Margin;
    static constexpr double PrintableHeight = PageHeight - 2 * Margin;
    static constexpr double HeaderHeight = 6.1;
    static constexpr double TitleHeight = 8.7;
    static constexpr double DetailHeight = 55.6;
    static constexpr double FooterHeight = 184.2;
    static constexpr double HeaderNameLeft = 5.3;
    static constexpr double TitleTop = HeaderHeight;
    static constexpr double DetailTop = TitleTop + TitleHeight;
    static constexpr double FooterTop = PrintableHeight - FooterHeight;

    // One of the three text columns of the footer band; the height grows with its text to the
    // bottom of the page.
    struct Column {
        QRectF place; // within the footer band
        bool enabled = true;
        QStringList lines;
    };

    // A chart of the detail band.
    struct Chart {
        QRectF place; // within the detail band
        bool enabled = true;
    };

    ReportForm();

    // The report command's composition: the title, the three columns, the chart widths 0.55 and
    // 0.45 of the detail band side by side, and then what the switches leave out. The loops'
    // margins, when asked for, follow the controllers' lines in their column.
    void compose(const ModelEditor& editor, const ModelParams& params, const QString& modelFileName,
                 const QStringList& analysisLines, const ReportSwitches& switches,
                 const QStringList& marginLines = {});

    const QString& title() const { return m_title; }
    const Chart& dynamicsChart() const { return m_dynamics; }
    const Chart& staticsChart() const { return m_statics; }
    bool detailEnabled() const { return m_detailEnabled; }
    const Column& equipment() const { return m_equipment; }
    const Column& controllers() const { return m_controllers; }
    const Column& analysis() const { return m_analysis; }

    // A length of the page truncated to whole pixels of a 96 dpi screen, as chart widths are.
    static double truncatedToPixels(double millimetres);

private:
    QString m_title;
    Chart m_dynamics;
    Chart m_statics;
    bool m_detailEnabled = true;
    Column m_equipment;
    Column m_controllers;
    Column m_analysis;
};

} // namespace kinetra
