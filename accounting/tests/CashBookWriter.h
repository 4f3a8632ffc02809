#pragma once

#include "accounting/tests/CashBookFixture.h"

#include <QStringList>

namespace vb::accounting::test {

// Adds |count| rows described |who| to book 1 in 2026 as the cash-book window does, one
// transaction each, income and expense in turn; returns the message of every add that
// was refused.
inline QStringList addCashRows(db::Database& db, int count, const QString& who)
{
    LibroCassa book(db);
    QStringList refused;
    for (int i = 0; i < count; ++i) {
        try {
            CashRow row = cashRow(1, QDate(2026, 6, 1), i % 3 ? QStringLiteral("E") : QStringLiteral("U"), 100 + i);
            row.descrizione = who;
            if (!book.add(row))
                refused << QStringLiteral("anno chiuso");
        } catch (const Error& e) {
            refused << e.description();
        }
    }
    return refused;
}

} // namespace vb::accounting::test
