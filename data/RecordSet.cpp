#include "data/RecordSet.h"

#include "core/Database.h"

namespace vb::data {

int Rows::field(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Rows::child(const QString& name) const
{
    for (int i = 0; i < childNames.size(); ++i)
        if (childNames[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Rows::Rows(QString name, QStringList fields, PackedRows values)
    : name(std::move(name)), fields(std::move(fields)), m_level(std::make_shared<Level>(std::move(values)))
{
}

QVariant Rows::at(size_t row, int field) const
{
    return m_level ? m_level->values.value(source(row), field) : QVariant();
}

qint64 Rows::integerAt(size_t row, int field) const
{
    return m_level ? m_level->values.integer(source(row), field) : 0;
}

QVariant Rows::value(int row, const QString& fieldName) const
{
    const int f = field(fieldName);
    return f < 0 ? QVariant() : at(size_t(row), f);
}

const Rows& Rows::children(size_t row, int child) const
{
    static const Rows none;
    if (!m_level || child < 0 || size_t(child) >= m_level->children.size())
        return none;
    const std::vector<Rows>& related = m_level->children[size_t(child)];
    const size_t r = source(row);
    return r < related.size() ? related[r] : none;
}

void Rows::append(const QVector<QVariant>& values, std::vector<Rows> children)
{
    detach();
    PackedRows& packed = m_level->values;
    for (int i = 0; i < packed.columns(); ++i)
        packed.addVariant(i < values.size() ? values[i] : QVariant());
    packed.endRow();
    const size_t row = packed.size() - 1;
    if (m_level->children.size() < children.size())
        m_level->children.resize(children.size());
    for (size_t c = 0; c < children.size(); ++c) {
        std::vector<Rows>& related = m_level->children[c];
        related.resize(row);
        related.push_back(std::move(children[c]));
    }
}

void Rows::addChildLevel(const QString& childName, std::vector<Rows> related)
{
    detach();
    childNames << childName;
    m_level->children.resize(size_t(childNames.size()));
    m_level->children.back() = std::move(related);
}

Rows Rows::pick(std::vector<quint32> rows) const
{
    Rows out;
    out.name = name;
    out.fields = fields;
    out.childNames = childNames;
    if (m_level) {
        if (m_picked)
            for (quint32& r : rows)
                r = m_pick[r];
        out.m_level = m_level;
        out.m_pick = std::move(rows);
    }
    out.m_picked = true;
    return out;
}

void Rows::detach()
{
    if (!m_level) {
        m_level = std::make_shared<Level>(PackedRows(int(fields.size())));
        return;
    }
    if (!m_picked && m_level.use_count() == 1)
        return;
    // Shared with other rows, or picked from them: these rows get a level of their own.
    const int columns = m_level->values.columns();
    auto own = std::make_shared<Level>(PackedRows(columns));
    own->children.resize(m_level->children.size());
    for (size_t r = 0; r < size(); ++r) {
        for (int f = 0; f < columns; ++f)
            own->values.addVariant(at(r, f));
        own->values.endRow();
        for (size_t c = 0; c < own->children.size(); ++c)
            own->children[c].push_back(children(r, int(c)));
    }
    m_level = std::move(own);
    m_pick.clear();
    m_picked = false;
}

const Rows& RecordSet::rows() const
{
    if (!m_rows)
        throw db::Error(QStringLiteral("Il recordset del comando non è aperto."));
    return *m_rows;
}

} // namespace vb::data
