#pragma once

#include <QAbstractTableModel>

namespace kinetra {

class CatalogueBrowser;

// The data set on show as the grid reads it: one row a record, one column a field, the values as
// text, and a record indicator in the row header of the current record. Read-only.
class CatalogueTableModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CatalogueTableModel)

public:
    explicit CatalogueTableModel(const CatalogueBrowser& browser, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void moveIndicator(int row);

    const CatalogueBrowser& m_browser;
    int m_indicatorRow = -1;
};

} // namespace kinetra
