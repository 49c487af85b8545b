#include "CatalogueBrowser.h"

#include "RecordSetXml.h"
#include "editor/MessageSink.h"

namespace kinetra {

QString CatalogueBrowser::queryMarker()
{
    return tr("Запрос");
}

CatalogueBrowser::CatalogueBrowser(QChar decimalSeparator, MessageSink& messages, QObject* parent)
    : QObject(parent), m_messages(messages), m_catalogue(decimalSeparator)
{
}

Status CatalogueBrowser::ConnectDatabase(const QString& connectionString)
{
    // A second visit finds the window as it was left: same table, same record.
    if (m_catalogue.isOpen())
        return Status::Done();
    Status connected = reconnect(connectionString);
    if (connected.ok)
        LoadTableList();
    return connected;
}

Status CatalogueBrowser::reconnect(const QString& connectionString)
{
    closeDataSets();
    m_connectionString = connectionString;
    const Status opened = m_catalogue.open(connectionString);
    emit connectionChanged(opened.ok);
    return opened.ok ? opened : Status::Failed(connectionFailure(opened.error));
}

QString CatalogueBrowser::noConnection() const
{
    return tr("Нет подключения %1").arg(m_connectionString);
}

QString CatalogueBrowser::connectionFailure(const QString& reason) const
{
    return noConnection() + QStringLiteral("\n\n") + reason;
}

void CatalogueBrowser::closeDataSets()
{
    emit dataSetAboutToReset();
    m_table = RecordSet();
    m_query = RecordSet();
    emit dataSetReset();
}

void CatalogueBrowser::LoadTableList()
{
    StatusOr<QStringList> names = m_catalogue.tableNames();
    if (!names.ok) {
        // A connection that failed was reported when it was made; an open catalogue whose list
        // cannot be read (a damaged schema, a lock) says why.
        m_messages.showMessage(m_catalogue.isOpen() ? connectionFailure(names.error)
                                                    : noConnection());
        return;
    }
    m_tableNames = std::move(names.value);
    m_selectedTable = m_tableNames.isEmpty() ? -1 : 0;
    emit tableListChanged();
    bdComboBoxChange(m_selectedTable);
}

void CatalogueBrowser::setSelectorText(const QString& text)
{
    if (m_selectorText == text)
        return;
    m_selectorText = text;
    emit selectorTextChanged(text);
}

void CatalogueBrowser::bdComboBoxChange(int index)
{
    const bool shown = m_dataSource == DataSource::Table;
    if (shown)
        emit dataSetAboutToReset();
    m_table = RecordSet();
    if (shown)
        emit dataSetReset();
    if (index < 0 || index >= m_tableNames.size())
        return;
    m_selectedTable = index;
    const QString name = m_tableNames.at(index);
    setSelectorText(name);
    StatusOr<RecordSet> opened = m_catalogue.openTable(name);
    if (!opened.ok) {
        // A damaged table must not pass for an empty one.
        m_messages.showMessage(tr("Не открыть таблицу %1\n\n%2").arg(name, opened.error));
        return;
    }
    showDataSet(DataSource::Table, std::move(opened.value));
}

Status CatalogueBrowser::runQuery(const QString& sql)
{
    const bool shown = m_dataSource == DataSource::Query;
    if (shown)
        emit dataSetAboutToReset();
    m_query = RecordSet();
    if (shown)
        emit dataSetReset();
    StatusOr<RecordSet> opened = m_catalogue.openQuery(sql);
    if (!opened.ok) {
        if (shown)
            ADOTableAfterScroll();
        return Status::Failed(opened.error);
    }
    setSelectorText(queryMarker());
    showDataSet(DataSource::Query, std::move(opened.value));
    return Status::Done();
}

void CatalogueBrowser::showDataSet(DataSource source, RecordSet records)
{
    emit dataSetAboutToReset();
    dataSetOf(source) = std::move(records);
    m_dataSource = source;
    m_selectedColumn = 0;
    emit dataSetReset();
    emit currentRecordChanged(dataSet().currentRow());
    ADOTableAfterScroll();
}

void CatalogueBrowser::moveTo(int row)
{
    if (!dataSetOf(m_dataSource).moveTo(row))
        return;
    emit currentRecordChanged(row);
    ADOTableAfterScroll();
}

bool CatalogueBrowser::canMove(RecordMove move) const
{
    const RecordSet& records = dataSet();
    if (records.RecordCount() == 0)
        return false;
    switch (move) {
    case RecordMove::Next:
    case RecordMove::Last:
        return records.RecNo() != records.RecordCount();
    case RecordMove::Prior:
    case RecordMove::First:
        return records.RecNo() != 1;
    }
    return false;
}

void CatalogueBrowser::mdNavigation(RecordMove move)
{
    if (!canMove(move))
        return;
    const RecordSet& records = dataSet();
    switch (move) {
    case RecordMove::Next:
        moveTo(records.currentRow() + 1);
        break;
    case RecordMove::Prior:
        moveTo(records.currentRow() - 1);
        break;
    case RecordMove::Last:
        moveTo(records.RecordCount() - 1);
        break;
    case RecordMove::First:
        moveTo(0);
        break;
    }
}

std::optional<QString> CatalogueBrowser::memoText() const
{
    const RecordSet& records = dataSet();
    if (m_selectedColumn < 0 || m_selectedColumn >= records.fieldCount() ||
        !records.field(m_selectedColumn).memo || records.currentRow() < 0)
        return std::nullopt;
    return records.text(records.currentRow(), m_selectedColumn);
}

void CatalogueBrowser::aSortExecute()
{
    // The selector's text alone tells which data set the user means.
    const DataSource source = inQueryMode() ? DataSource::Query : DataSource::Table;
    RecordSet& records = dataSetOf(source);
    const bool ascending = m_sortIcon == SortAscendingIcon;
    const bool shown = source == m_dataSource;
    if (shown)
        emit dataSetAboutToReset();
    const bool sorted =
        m_selectedColumn >= 0 && m_selectedColumn < records.fieldCount() &&
        records.Sort(records.field(m_selectedColumn).name +
                     (ascending ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
    if (!sorted) {
        if (shown)
            emit dataSetReset();
        m_messages.showMessage(tr("Сортировка невозможна"));
        return;
    }
    m_sortIcon = ascending ? SortDescendingIcon : SortAscendingIcon;
    emit sortIconChanged(m_sortIcon);
    if (!shown)
        return;
    emit dataSetReset();
    emit currentRecordChanged(records.currentRow());
    ADOTableAfterScroll();
}

void CatalogueBrowser::sortByColumn(int column)
{
    setSelectedColumn(column);
    aSortExecute();
}

void CatalogueBrowser::ADOTableAfterScroll()
{
    const RecordSet& records = dataSet();
    if (!records.isOpen()) {
        // An empty grid shows no position: the one of a data set no longer there would mislead.
        m_positionPanel.clear();
        m_hintPanel.clear();
        emit statusChanged();
        return;
    }
    m_positionPanel =
        QString::number(records.RecNo()) + u'/' + QString::number(records.RecordCount());
    const bool memo = m_selectedColumn >= 0 && m_selectedColumn < records.fieldCount() &&
                      records.field(m_selectedColumn).memo;
    m_hintPanel = memo ? tr("Двойной щелчок или Enter") : QString();
    emit statusChanged();
}

Status CatalogueBrowser::saveShownDataSet(const QString& path) const
{
    const QString name = m_dataSource == DataSource::Query ? queryMarker() : m_selectorText;
    return SaveRecordSetXml(dataSet(), name, path);
}

} // namespace kinetra
