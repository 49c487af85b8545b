#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "Catalogue.h"
#include "RecordSet.h"
#include "text/Status.h"

namespace kinetra {

class MessageSink;

// What the database window does, without the window: the connection, the table list and its
// selector, the open table and the query result with the one of them on show, the current
// record and the grid's chosen column, the two status panels, record moves, the memo display
// and sorting. The window binds its grid, selector, navigator and status bar to it.
class CatalogueBrowser final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueBrowser)

public:
    enum class DataSource { Table, Query };
    enum class RecordMove { Next, Prior, Last, First };

    // The icons of the sort command: each shows the direction of the next sort.
    static constexpr int SortAscendingIcon = 11;
    static constexpr int SortDescendingIcon = 15;

    // The selector's text while the grid shows a query result.
    static QString queryMarker();

    CatalogueBrowser(QChar decimalSeparator, MessageSink& messages, QObject* parent = nullptr);

    // Opens the connection and its first table, unless the connection is open already. Fails,
    // with "Нет подключения ", the string and why, when it cannot be opened; shows no message.
    Status ConnectDatabase(const QString& connectionString);
    // Closes the connection and opens it again with another string, without loading the table
    // list. The open table and query close with the old connection. Fails as ConnectDatabase.
    Status reconnect(const QString& connectionString);
    bool isConnected() const { return m_catalogue.isOpen(); }
    void setFetchWait(Catalogue::FetchWait* wait) { m_catalogue.setFetchWait(wait); }

    // Fills the selector with the catalogue's tables and opens the first; "Нет подключения "
    // and the connection string when the list cannot be read.
    void LoadTableList();
    const QStringList& tableNames() const { return m_tableNames; }
    int selectedTable() const { return m_selectedTable; }
    // The table on show, or "Запрос" in query mode.
    const QString& selectorText() const { return m_selectorText; }
    bool inQueryMode() const { return m_selectorText == queryMarker(); }

    // Opens the table of the selector's item; a table that cannot be opened is left as far as
    // it came, without a message.
    void bdComboBoxChange(int index);
    // Replaces the grid's contents by a query's result and enters query mode. Fails, saying
    // why, when the query cannot be run; the caller tells the user.
    Status runQuery(const QString& sql);

    DataSource dataSource() const { return m_dataSource; }
    const RecordSet& dataSet() const
    {
        return m_dataSource == DataSource::Table ? m_table : m_query;
    }
    const RecordSet& table() const { return m_table; }
    const RecordSet& query() const { return m_query; }
    std::vector<FieldValue> currentRecord() const { return dataSet().currentRecord(); }

    // The grid's choice of a record, counted from 0.
    void moveTo(int row);
    void mdNavigation(RecordMove move);
    // Whether a move would go anywhere, for the navigator's buttons.
    bool canMove(RecordMove move) const;

    // The grid's chosen column, counted from 0; it does not change the status panels.
    void setSelectedColumn(int column) { m_selectedColumn = column; }
    int selectedColumn() const { return m_selectedColumn; }
    // The chosen column's text in the current record when that column is a memo.
    std::optional<QString> memoText() const;

    // Sorts the data set of the mode by the chosen column, ascending and descending in turn;
    // "Сортировка невозможна" when that cannot be done.
    void aSortExecute();
    // A click on a column's title: that column becomes the chosen one and is sorted as aSort
    // sorts it.
    void sortByColumn(int column);
    int sortIcon() const { return m_sortIcon; }

    // The status panels: the memo hint, and the position as "3/25".
    const QString& hintPanel() const { return m_hintPanel; }
    const QString& positionPanel() const { return m_positionPanel; }
    void ADOTableAfterScroll();

    // Writes the data set on show as XML.
    Status saveShownDataSet(const QString& path) const;

signals:
    void tableListChanged();
    void selectorTextChanged(const QString& text);
    // The data set on show is about to be opened, closed, sorted or replaced, and then was: the
    // grid lets go of it and reads it anew. Every announcement is followed by one reset.
    void dataSetAboutToReset();
    void dataSetReset();
    void currentRecordChanged(int row);
    void statusChanged();
    void sortIconChanged(int icon);
    void connectionChanged(bool connected);

private:
    RecordSet& dataSetOf(DataSource source)
    {
        return source == DataSource::Table ? m_table : m_query;
    }
    void setSelectorText(const QString& text);
    // Puts records in place as the data set of source and shows it.
    void showDataSet(DataSource source, RecordSet records);
    void closeDataSets();
    QString noConnection() const;
    // "Нет подключения ", the string last connected with, then why it failed.
    QString connectionFailure(const QString& reason) const;

    MessageSink& m_messages;
    Catalogue m_catalogue;
    QString m_connectionString;
    QStringList m_tableNames;
    int m_selectedTable = -1;
    QString m_selectorText;
    RecordSet m_table;
    RecordSet m_query;
    DataSource m_dataSource = DataSource::Table;
    int m_selectedColumn = 0;
    int m_sortIcon = SortAscendingIcon;
    QString m_hintPanel;
    QString m_positionPanel;
};

} // namespace kinetra
