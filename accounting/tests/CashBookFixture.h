#pragma once

#include "accounting/LibroCassa.h"
#include "tests/support/TestSupport.h"

#include <vector>

namespace vb::accounting::test {

// A checked row of |book| filed under |anno|.
inline CashRow cashRow(int book, QDate data, const QString& tipo, qint64 cents, int anno = 2026,
                       const QString& codice = QStringLiteral("AQS"))
{
    CashRow r;
    r.data = data;
    r.book = book;
    r.codice = codice;
    r.tipo = tipo;
    r.importo = Money::fromCents(cents);
    r.descrizione = QStringLiteral("NIL");
    r.anno = anno;
    return r;
}

// The balances of |book| in |anno| by date then key, in cents; -1 for an empty one.
inline std::vector<qint64> balances(db::Database& db, int book, int anno = 2026)
{
    std::vector<qint64> out;
    auto q = db.query(QStringLiteral("SELECT Saldo FROM LibroCassa WHERE CodiceTestataCassa = ? AND Anno = ?"
                                     " ORDER BY Data, ID_LibroCassa"),
                      {book, anno});
    while (q.next())
        out.push_back(q.isNull(0) ? -1 : q.integer(0));
    return out;
}

inline qint64 count(db::Database& db, const QString& table)
{
    auto q = db.query(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    q.next();
    return q.integer(0);
}

inline void closeYear(db::Database& db, int book, int anno)
{
    db.execute(QStringLiteral("UPDATE LibroCassa SET ChiusuraAnno = 1 WHERE CodiceTestataCassa = ? AND Anno = ?"),
               {book, anno});
}

} // namespace vb::accounting::test
