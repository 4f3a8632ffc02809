#include "members/lists/ListLine.h"

#include "core/Format.h"
#include "core/Parse.h"

#include <QRegularExpression>

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

QStringList headingColumns(const QString& header)
{
    static const QRegularExpression gap(QStringLiteral("\\t| {2,}"));
    QStringList words;
    for (const QString& word : header.split(gap, Qt::SkipEmptyParts)) {
        if (!word.trimmed().isEmpty())
            words << word.trimmed();
    }
    for (int i = 0; i + 1 < words.size(); ++i) {
        if (words[i] == QStringLiteral("Cognome") && words[i + 1] == QStringLiteral("Nome")) {
            words[i] = QStringLiteral("Cognome Nome");
            words.removeAt(i + 1);
        }
    }
    return words;
}

std::optional<int> parseYear(const QString& text)
{
    const auto n = parse::integer(text);
    if (!n || *n < 1 || *n > 9999)
        return std::nullopt;
    return int(*n);
}

} // namespace vb::lists
