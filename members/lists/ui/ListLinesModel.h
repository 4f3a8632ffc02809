#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class QFontMetrics;

namespace vb::lists {

// The lines of a member list shown as a grid: each tab of a line starts a new column and
// the heading line gives the columns' headings, so that each heading stands over its data.
class ListLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows |lines| under |header|; an empty header and no lines empty the grid.
    void setLines(const QString& header, QStringList lines);
    // The heading line first, then the lines; empty when nothing is shown.
    QStringList lines() const;
    // For each column, the width in pixels that shows all its texts whole in |cells|' font
    // and its heading in |heading|'s.
    QList<int> columnWidths(const QFontMetrics& cells, const QFontMetrics& heading) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QString m_header;
    QStringList m_headings;
    QStringList m_lines;
    int m_columns = 0;
};

} // namespace vb::lists
