#pragma once

#include <QMainWindow>

#include "shell/InterfaceLanguage.h"

class QTextBrowser;

namespace kinetra {

// The program's help: HTML pages that ship inside the program, one per window and page, opened
// at a numbered context. Context 0 is the contents. The pages are written in Russian; those in
// the language of the interface stand in a folder of that language's code, and a page not
// translated yet shows as written.
class HelpWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)

public:
    explicit HelpWindow(InterfaceLanguage language, QWidget* parent = nullptr);

    void showContext(int context);
    QUrl currentPage() const;

private:
    const InterfaceLanguage m_language;
    QTextBrowser* m_browser = nullptr;
};

} // namespace kinetra
