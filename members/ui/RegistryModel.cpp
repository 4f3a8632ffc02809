#include "members/ui/RegistryModel.h"

#include "core/Format.h"

namespace vb::members {

void RegistryModel::setRows(std::vector<RegistryRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int RegistryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RegistryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RegistryModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    const RegistryRow& r = m_rows[size_t(index.row())];
    switch (index.column()) {
    case CodNom: return QString::number(r.CodNom);
    case Cognome: return r.Cognome;
    case Nome: return r.Nome;
    case Telefono: return r.Telefono;
    case Cell: return r.Cell;
    case CFiscale: return r.CFiscale;
    case NumTessera: return fmt::text(r.NumTessera, QStringLiteral("00000"));
    case CodiceControllo: return QString::number(r.CodiceControllo);
    default: return QVariant();
    }
}

} // namespace vb::members
