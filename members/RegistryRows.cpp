#include "members/RegistryRows.h"

namespace vb::members {

size_t RegistryRows::end(size_t row, int t) const
{
    if (t + 1 < TextCount)
        return m_lines[row].start[t + 1];
    return row + 1 < m_lines.size() ? m_lines[row + 1].start[0] : m_bytes.size();
}

QString RegistryRows::text(int row, Text t) const
{
    const size_t r = size_t(row);
    const size_t from = m_lines[r].start[t];
    return QString::fromUtf8(m_bytes.data() + from, qsizetype(end(r, t) - from));
}

void RegistryRows::append(qint64 codNom, const Texts& texts, int codiceControllo)
{
    Line& line = m_lines.emplace_back();
    line.codNom = codNom;
    line.codiceControllo = codiceControllo;
    for (int t = 0; t < TextCount; ++t) {
        line.start[t] = quint32(m_bytes.size());
        m_bytes.insert(m_bytes.end(), texts[size_t(t)].begin(), texts[size_t(t)].end());
    }
}

void RegistryRows::clear()
{
    m_lines.clear();
    m_bytes.clear();
}

void RegistryRows::reserveLike(const RegistryRows& other)
{
    m_lines.reserve(other.m_lines.size());
    m_bytes.reserve(other.m_bytes.size());
}

} // namespace vb::members
