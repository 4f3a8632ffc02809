#include "members/lists/ui/ListLinesModel.h"

#include "members/lists/ListLine.h"

namespace vb::lists {

void ListLinesModel::setLines(const QString& header, QStringList lines)
{
    beginResetModel();
    m_header = header;
    m_headings = headingColumns(header);
    m_lines = std::move(lines);
    m_widest = m_headings;
    for (const QString& line : m_lines) {
        int column = 0;
        for (const QStringView cell : QStringView(line).split(u'\t')) {
            if (column == m_widest.size())
                m_widest.append(QString());
            if (cell.size() > m_widest[column].size())
                m_widest[column] = cell.toString();
            ++column;
        }
    }
    endResetModel();
}

QStringList ListLinesModel::lines() const
{
    if (m_header.isEmpty() && m_lines.isEmpty())
        return {};
    return QStringList{m_header} + m_lines;
}

QString ListLinesModel::widest(int column) const { return m_widest.value(column); }

int ListLinesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_lines.size()); }

int ListLinesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_widest.size());
}

QVariant ListLinesModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_lines.size())
        return {};
    return m_lines[index.row()].section(u'\t', index.column(), index.column());
}

QVariant ListLinesModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headings.value(section);
}

} // namespace vb::lists
