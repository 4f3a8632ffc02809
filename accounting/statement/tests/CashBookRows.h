#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QDate>
#include <QString>

namespace vb::test {

// A cash-book row as the statement reads it.
struct CashRow {
    int book;
    QDate data;
    int anno;
    QString codice;
    QString tipo;
    qint64 cents;
    QString descrizione = QStringLiteral("NIL");
    int ricevuta = 0; // 0: none, as the cash book leaves it
};

inline void addCashRow(db::Database& db, const CashRow& r)
{
    db.execute(QStringLiteral("INSERT INTO LibroCassa (Data, Anno, CodiceTestataCassa, CodiceCategoria, Tipo,"
                              " Descrizione, Importo, RicevutaNumero) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
               {r.data, r.anno, r.book, r.codice, r.tipo, r.descrizione, Money::fromCents(r.cents),
                db::Param(r.ricevuta ? db::Param(r.ricevuta) : db::Param(nullptr))});
}

inline void addCode(db::Database& db, const QString& codice, const QString& descrizione, int attivitaPassivita)
{
    db.execute(QStringLiteral("INSERT INTO TabellaCodici (Codice, CodDescrizione, AttivitaPassivita) VALUES (?, ?, ?)"),
               {codice, descrizione, attivitaPassivita});
}

inline qint64 countRows(db::Database& db, const QString& table)
{
    auto q = db.query(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    q.next();
    return q.integer(0);
}

} // namespace vb::test
