#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace kinetra {

// The program's help: Russian HTML pages that ship inside the program, one per window and page,
// opened at a numbered context. Context 0 is the contents.
class HelpWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showContext(int context);
    QUrl currentPage() const;

private:
    QTextBrowser* m_browser = nullptr;
};

} // namespace kinetra
