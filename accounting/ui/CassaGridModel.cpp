#include "accounting/ui/CassaGridModel.h"

#include "core/Format.h"
#include "core/Parse.h"

namespace vb::accounting {

void CassaGridModel::setRows(std::vector<GridRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int CassaGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int CassaGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QString CassaGridModel::text(int r, int column) const
{
    const GridRow& row = m_rows[size_t(r)];
    switch (column) {
    case Data: {
        const std::optional<QDate> d = parse::isoDate(row.data);
        return d ? fmt::date(*d) : row.data;
    }
    case Tipo: return row.tipo;
    case CodiceCategoria: return row.codice;
    case Importo: return fmt::money(row.importo);
    case Saldo: return row.saldo ? fmt::money(*row.saldo) : QString();
    case RicevutaNumero: return row.ricevuta ? QString::number(*row.ricevuta) : QString();
    case Descrizione: return row.descrizione;
    case ID_LibroCassa: return QString::number(row.id);
    }
    return QString();
}

QVariant CassaGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Importo || index.column() == Saldo))
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

} // namespace vb::accounting
