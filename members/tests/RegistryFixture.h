#pragma once

#include "members/PersonRecord.h"
#include "tests/support/TestSupport.h"

namespace vb::members::test {

// A person whose every required field is filled, ready to be added.
inline PersonRecord completePerson(const QString& cognome = QStringLiteral("D'Amico"),
                                   const QString& nome = QStringLiteral("Anna"),
                                   const QString& born = QStringLiteral("16/05/1978"))
{
    PersonRecord p;
    p.DataIscrizione = QStringLiteral("09/12/2026");
    p.Cognome = cognome;
    p.Nome = nome;
    p.LuogoNascita = QStringLiteral("Roma");
    p.DataNascita = born;
    p.Residente = QStringLiteral("Roma");
    p.CAPresidente = QStringLiteral("00100");
    p.IndirizzoResidente = QStringLiteral("Via dell'Orto");
    p.Numero = QStringLiteral("12");
    p.Cellulare = QStringLiteral("3331234567");
    p.PostaElettronica = QStringLiteral("anna@example.it");
    p.TipoSocio = QStringLiteral("ORDINARI");
    p.CF = QStringLiteral("DMCNNA78E56H501Z");
    p.AssensoTrattDatiPersonali = true;
    return p;
}

inline qint64 personCount(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi"));
    st.next();
    return st.integer(0);
}

} // namespace vb::members::test
