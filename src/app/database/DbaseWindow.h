#pragma once

#include <QMainWindow>

#include <array>

#include "CatalogueBrowser.h"

class QAction;
class QComboBox;
class QLabel;
class QTableView;

namespace kinetra {

class ActionTable;
class CatalogueTableModel;
class MessageSink;

// The equipment catalogue: a table or query result in a read-only grid, the table selector, the
// record navigator and the status panels, all bound to the browsing logic. Memos are read in a
// message box on a double click or any character key.
class DbaseWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DbaseWindow)

public:
    DbaseWindow(const ActionTable& actions, CatalogueBrowser& browser, MessageSink& messages,
                QWidget* parent = nullptr);

    QTableView* grid() const { return m_grid; }
    QComboBox* tableSelector() const { return m_selector; }
    // The record entries of the "&Правка" menu, in the order of RecordMove.
    QAction* recordEntry(CatalogueBrowser::RecordMove move) const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createNavigator();
    void followSelector();
    void followCurrentRecord(int row);
    void followStatus();
    // The title of the column the data set on show was sorted by shows the direction.
    void followSortOrder();
    void showMemo();

    CatalogueBrowser& m_browser;
    MessageSink& m_messages;
    CatalogueTableModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QComboBox* m_selector = nullptr;
    QLabel* m_hintPanel = nullptr;
    QLabel* m_positionPanel = nullptr;
    std::array<QAction*, 4> m_recordEntries{};
    std::array<QAction*, 4> m_navigatorButtons{};
    // Set while the window itself moves the grid's cursor to the current record.
    bool m_following = false;
};

} // namespace kinetra
