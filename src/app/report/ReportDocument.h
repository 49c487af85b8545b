#pragma once

#include <QPageLayout>
#include <QString>

#include "ReportExports.h"
#include "ReportForm.h"
#include "report/PagePrinting.h"
#include "report/ReportCharts.h"

class QPainter;
class QPrinter;

namespace kinetra {

class ModelSession;
class ResultWindow;

// The report the program keeps from start-up to exit: its layout with what the last report
// command composed, and its charts, which copy the results window's charts at every production.
// It draws the page onto any paged device (the preview, a printer, a PDF file) and writes the
// text exports.
class ReportDocument final {
public:
    ReportDocument(const ModelSession& session, const ResultWindow& results);
    Q_DISABLE_COPY_MOVE(ReportDocument)

    // The report command's composition from the model, the editor and the results' summary.
    void compose(const ReportSwitches& switches);
    const ReportForm& form() const { return m_form; }

    // A4 portrait with 20 mm margins.
    static QPageLayout pageLayout();

    // One production: the charts take the results' data, then the page is drawn.
    void paint(QPainter& painter);
    PrintResult print(QPrinter& printer);
    FileSaveResult save(const QString& path, ReportFormat format);

private:
    void QuickRepNeedData();
    void paintPage(QPainter& painter);
    QString date() const;

    const ModelSession& m_session;
    const ResultWindow& m_results;
    ReportForm m_form;
    ReportCharts m_charts;
};

} // namespace kinetra
