#pragma once

#include <QDialog>
#include <QPrinter>

#include <functional>

class QPrintPreviewWidget;

namespace kinetra {

// The report's modal print preview: the page as it will print, zoom, and the commands to print
// it and to save it as PDF or export it as text, CSV or HTML.
class ReportPreview final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportPreview)

public:
    struct Commands {
        std::function<void(QPrinter&)> paint; // draws the page for the preview
        std::function<void()> print;
        std::function<void()> save;
    };

    explicit ReportPreview(Commands commands, QWidget* parent = nullptr);
    ~ReportPreview() override;

    QPrintPreviewWidget* preview() const { return m_preview; }

private:
    Commands m_commands;
    QPrinter m_printer{QPrinter::ScreenResolution};
    QPrintPreviewWidget* m_preview = nullptr; // drawn on m_printer, so it goes first
};

} // namespace kinetra
