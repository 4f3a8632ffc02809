#include "members/lists/ListLine.h"

#include "core/Format.h"
#include "core/Parse.h"

namespace vb::lists {

QString padName(const QString& name, int width, int keepUpTo, int cutTo)
{
    QString out = name;
    if (out.size() < width)
        out += QString(width - out.size(), u'>');
    if (out.size() > keepUpTo)
        out.truncate(cutTo);
    return out;
}

QString feeListName(const QString& cognome, const QString& nome)
{
    return padName(cognome + u' ' + nome, 26, 27, 25);
}

QString shownDate(const db::Statement& st, const QString& column)
{
    const QDate d = st.date(column);
    return d.isValid() ? fmt::date(d) : st.text(column);
}

std::optional<int> parseYear(const QString& text)
{
    const auto n = parse::integer(text);
    if (!n || *n < 1 || *n > 9999)
        return std::nullopt;
    return int(*n);
}

} // namespace vb::lists
