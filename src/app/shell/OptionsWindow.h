#pragma once

#include <QWidget>

class QStatusBar;
class QTabWidget;

namespace kinetra {

class ActionTable;

// The settings window: the settings file, the simulation and report switches and the database
// query, on three pages. It stays above the program's windows and is shown non-modally.
class OptionsWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsWindow)

public:
    enum Page { FilesPage = 0, SimulationPage = 1, QueryPage = 2 };

    explicit OptionsWindow(const ActionTable& actions, QWidget* parent = nullptr);

    int currentPage() const;
    void setCurrentPage(int page);

protected:
    bool event(QEvent* event) override;

private:
    QTabWidget* m_pages = nullptr;
    QStatusBar* m_statusBar = nullptr;
};

} // namespace kinetra
