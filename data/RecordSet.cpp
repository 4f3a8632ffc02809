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

QVariant Rows::value(int row, const QString& fieldName) const
{
    const int f = field(fieldName);
    return f < 0 ? QVariant() : rows[size_t(row)].values[f];
}

const Rows& RecordSet::rows() const
{
    if (!m_rows)
        throw db::Error(QStringLiteral("Il recordset del comando non è aperto."));
    return *m_rows;
}

} // namespace vb::data
