#include "members/lists/ui/ListLinesModel.h"

#include "members/lists/ListLine.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <array>

namespace vb::lists {

void ListLinesModel::setLines(const QString& header, QStringList lines)
{
    beginResetModel();
    m_header = header;
    m_headings = headingColumns(header);
    m_lines = std::move(lines);
    m_columns = int(m_headings.size());
    for (const QString& line : m_lines)
        m_columns = std::max(m_columns, int(line.count(u'\t')) + 1);
    endResetModel();
}

QStringList ListLinesModel::lines() const
{
    if (m_header.isEmpty() && m_lines.isEmpty())
        return {};
    return QStringList{m_header} + m_lines;
}

namespace {

// The width of a text as the sum of its characters' advances, each measured once: a list
// of 100,000 lines is measured in a few milliseconds instead of a text layout per cell.
class CharWidths {
public:
    explicit CharWidths(const QFontMetrics& fm) : m_fm(fm) { m_latin1.fill(-1); }

    int of(QStringView text)
    {
        int width = 0;
        for (const QChar c : text)
            width += advance(c);
        return width;
    }

private:
    int advance(QChar c)
    {
        if (c.unicode() < m_latin1.size()) {
            int& w = m_latin1[c.unicode()];
            if (w < 0)
                w = m_fm.horizontalAdvance(c);
            return w;
        }
        auto it = m_other.constFind(c.unicode());
        if (it == m_other.constEnd())
            it = m_other.insert(c.unicode(), m_fm.horizontalAdvance(c));
        return *it;
    }

    const QFontMetrics& m_fm;
    std::array<int, 256> m_latin1;
    QHash<char16_t, int> m_other;
};

} // namespace

QList<int> ListLinesModel::columnWidths(const QFontMetrics& cells, const QFontMetrics& heading) const
{
    QList<int> widths(m_columns, 0);
    for (int c = 0; c < m_headings.size(); ++c)
        widths[c] = heading.horizontalAdvance(m_headings[c]);
    CharWidths chars(cells);
    for (const QString& line : m_lines) {
        int column = 0;
        for (const QStringView cell : QStringView(line).split(u'\t')) {
            widths[column] = std::max(widths[column], chars.of(cell));
            ++column;
        }
    }
    return widths;
}

int ListLinesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_lines.size()); }

int ListLinesModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_columns;
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
