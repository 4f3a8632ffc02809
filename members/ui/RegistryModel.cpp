#include "members/ui/RegistryModel.h"

#include "core/Format.h"

#include <utility>

namespace vb::members {

void RegistryModel::refill(const std::function<void(RegistryRows&)>& fill)
{
    m_spare.clear();
    m_spare.reserveLike(m_shown);
    fill(m_spare);
    beginResetModel();
    std::swap(m_shown, m_spare);
    endResetModel();
}

int RegistryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_shown.size(); }

int RegistryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant RegistryModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shown.size())
        return QVariant();
    const int r = index.row();
    switch (index.column()) {
    case CodNom: return QString::number(m_shown.codNom(r));
    case Cognome: return m_shown.text(r, RegistryRows::Cognome);
    case Nome: return m_shown.text(r, RegistryRows::Nome);
    case Telefono: return m_shown.text(r, RegistryRows::Telefono);
    case Cell: return m_shown.text(r, RegistryRows::Cell);
    case CFiscale: return m_shown.text(r, RegistryRows::CFiscale);
    case NumTessera: return fmt::text(m_shown.text(r, RegistryRows::NumTessera), QStringLiteral("00000"));
    case CodiceControllo: return QString::number(m_shown.codiceControllo(r));
    default: return QVariant();
    }
}

} // namespace vb::members
