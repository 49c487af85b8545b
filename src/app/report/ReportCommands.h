#pragma once

#include <QObject>

class QPrinter;
class QWidget;

namespace kinetra {

class ModelDocument;
class ReportDocument;
class SettingsStore;
class UserPrompts;
struct Folders;

// The report and print commands: the report command composes the report from the settings'
// switches and opens its preview, from which it is printed, saved or exported; the print command
// prints the report again or a window's image. Every failure says what failed and why.
class ReportCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportCommands)

public:
    // The model's document names the file the report is proposed to be saved in.
    ReportCommands(ReportDocument& report, const ModelDocument& document,
                   const SettingsStore& settings, Folders& folders, UserPrompts& prompts,
                   QObject* parent = nullptr);

    void aReportExecute();
    // The print dialog, then the report as last composed, with fresh charts.
    void printReport();
    // The print dialog, then the widget as it shows now.
    void printImage(QWidget& widget);

    // Printing on a printer already chosen; false, after a message, when it failed.
    bool printReportOn(QPrinter& printer);
    bool printImageOn(QWidget& widget, QPrinter& printer);
    // The save dialog, then the report in the format of the file chosen.
    void saveReport();

private:
    bool choosePrinter(QPrinter& printer);

    ReportDocument& m_report;
    const ModelDocument& m_document;
    const SettingsStore& m_settings;
    Folders& m_folders;
    UserPrompts& m_prompts;
};

} // namespace kinetra
