#include "database/CatalogueTableModel.h"

#include <QFont>
#include <QPalette>

#include "CatalogueBrowser.h"

namespace kinetra {

CatalogueTableModel::CatalogueTableModel(const CatalogueBrowser& browser, QObject* parent)
    : QAbstractTableModel(parent), m_browser(browser)
{
    // The browser announces a change of its data set before making it, so the grid lets go of
    // the old data first and reads the new one when the change is done.
    connect(&browser, &CatalogueBrowser::dataSetAboutToReset, this,
            &CatalogueTableModel::beginResetModel);
    connect(&browser, &CatalogueBrowser::dataSetReset, this, [this] {
        m_indicatorRow = m_browser.dataSet().currentRow();
        endResetModel();
    });
    connect(&browser, &CatalogueBrowser::currentRecordChanged, this,
            &CatalogueTableModel::moveIndicator);
}

int CatalogueTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_browser.dataSet().RecordCount();
}

int CatalogueTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_browser.dataSet().fieldCount();
}

QVariant CatalogueTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const RecordSet& records = m_browser.dataSet();
    switch (role) {
    case Qt::DisplayRole: {
        const QString text = records.text(index.row(), index.column());
        // A memo is read whole in its own box; the grid shows its first line.
        return records.field(index.column()).memo ? text.section(u'\n', 0, 0) : text;
    }
    case Qt::ToolTipRole:
        return records.field(index.column()).memo ? records.text(index.row(), index.column())
                                                  : QVariant();
    case Qt::TextAlignmentRole: {
        const QVariant& value = records.value(index.row(), index.column());
        const bool number = value.typeId() == QMetaType::Double ||
                            value.typeId() == QMetaType::LongLong ||
                            value.typeId() == QMetaType::Int;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant CatalogueTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (role == Qt::DisplayRole && section < m_browser.dataSet().fieldCount())
            return m_browser.dataSet().field(section).name;
        return {};
    }
    if (role == Qt::DisplayRole)
        return section == m_indicatorRow ? QStringLiteral("▶") : QString();
    if (role == Qt::TextAlignmentRole)
        return Qt::AlignCenter;
    return {};
}

void CatalogueTableModel::moveIndicator(int row)
{
    const int previous = std::exchange(m_indicatorRow, row);
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

} // namespace kinetra
