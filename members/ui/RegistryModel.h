#pragma once

#include "members/RegistryRows.h"

#include <QAbstractTableModel>

#include <functional>

namespace vb::members {

// The lines of the registry grid: registration number, surname, name, telephone, mobile,
// tax code, card number as "00000" and the member type's code (a hidden column). A cell
// becomes text only when the view asks for it.
class RegistryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CodNom, Cognome, Nome, Telefono, Cell, CFiscale, NumTessera, CodiceControllo, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // Puts new lines on show: |fill| writes them into the lines kept aside (emptied, their
    // room kept), which then replace the lines shown; those are kept aside for the next
    // refill. So a refill neither allocates nor frees in step with the registry. When
    // |fill| throws, the grid keeps what it showed.
    void refill(const std::function<void(RegistryRows&)>& fill);
    qint64 codNom(int row) const { return m_shown.codNom(row); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    RegistryRows m_shown;
    RegistryRows m_spare;
};

} // namespace vb::members
