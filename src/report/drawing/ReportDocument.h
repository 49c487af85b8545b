#pragma once

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include "ChartLook.h"
#include "PagePrinting.h"
#include "ReportExports.h"
#include "ReportForm.h"

class QPainter;
class QPrinter;

namespace kinetra {

class ModelSession;
class ResultsActivation;

// The report the program keeps from start-up to exit: its layout with what the last report
// command composed, and its charts, drawn afresh from the run on show at every production. It
// draws the page onto any paged device (the preview, a printer, a PDF file) and writes the text
// exports.
class ReportDocument final {
public:
    ReportDocument(const ModelSession& session, const ResultsActivation& results);
    Q_DISABLE_COPY_MOVE(ReportDocument)

    // The report command's composition from the editor and the run on show: its parameters as
    // collected and its summary.
    void compose(const ReportSwitches& switches);
    const ReportForm& form() const { return m_form; }

    // The charts' look in colour, or in black and white.
    void setColourOutput(bool colour) { m_colourOutput = colour; }

    // A4 portrait with 20 mm margins.
    static QPageLayout pageLayout();

    // One production: the page with the charts of the run on show.
    void paint(QPainter& painter);
    Status print(QPrinter& printer);
    Status save(const QString& path, ReportFormat format);

    // What the last production had to cut from its columns, even in the smallest type: one line
    // per column cut, naming it.
    const QStringList& cutColumns() const { return m_cutColumns; }

private:
    QString date() const;
    ChartLook chartLook() const;

    const ModelSession& m_session;
    const ResultsActivation& m_results;
    ReportForm m_form;
    bool m_colourOutput = true;
    QStringList m_cutColumns;
};

} // namespace kinetra
