#pragma once

#include "members/Anagrafica.h"

#include <QAbstractTableModel>

#include <vector>

namespace vb::members {

// The lines of the registry grid: registration number, surname, name, telephone, mobile,
// tax code, card number as "00000" and the member type's code (a hidden column).
class RegistryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CodNom, Cognome, Nome, Telefono, Cell, CFiscale, NumTessera, CodiceControllo, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<RegistryRow> rows);
    const RegistryRow& row(int r) const { return m_rows[size_t(r)]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<RegistryRow> m_rows;
};

} // namespace vb::members
