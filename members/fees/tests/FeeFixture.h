#pragma once

#include "tests/support/TestSupport.h"

#include "core/Money.h"

#include <QString>

namespace vb::test {

// An archive with a few persons and helpers that add fee and cash-book rows directly.
class FeeFixture : public AppTest {
protected:
    qint64 addPerson(const QString& cognome, const QString& nome, const QString& tipo = QStringLiteral("ORDINARI"),
                     int codice = 3, const QString& tessera = QStringLiteral("12"), bool consent = true)
    {
        db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome, TipoSocio, CodiceControllo, NumTessera, "
                                   "AssensoTrattDatiPersonali) VALUES (?, ?, ?, ?, ?, ?)"),
                    {cognome, nome, tipo, codice, tessera, consent});
        return db->lastInsertId();
    }
    qint64 addFee(qint64 codNom, const QString& anno, qint64 cents, const QDate& data = QDate(2026, 3, 1))
    {
        db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
                                   "VALUES (?, '00012', ?, ?, ?, 'x')"),
                    {codNom, data, anno, Money::fromCents(cents)});
        return db->lastInsertId();
    }
    qint64 scalar(const QString& sql, std::initializer_list<db::Param> params = {})
    {
        auto st = db->query(sql, params);
        return st.next() ? st.integer(0) : -1;
    }
};

} // namespace vb::test
