#pragma once

#include "accounting/LibroCassa.h"

#include <QAbstractTableModel>

#include <vector>

namespace vb::accounting {

// The lines of the cash-book grid: date, kind, code, amount, balance, receipt number,
// description and the row's key.
class CassaGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Data, Tipo, CodiceCategoria, Importo, Saldo, RicevutaNumero, Descrizione, ID_LibroCassa, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<GridRow> rows);
    void clear() { setRows({}); }
    const GridRow& row(int r) const { return m_rows[size_t(r)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The text of a cell as the grid shows it.
    QString text(int row, int column) const;

private:
    std::vector<GridRow> m_rows;
};

} // namespace vb::accounting
