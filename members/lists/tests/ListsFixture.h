#pragma once

#include "tests/support/TestSupport.h"

#include <QDate>
#include <QString>

namespace vb::test {

// A person as the tests need one; the rest of the row gets the registry's placeholders.
struct Person {
    QString cognome;
    QString nome;
    QString numTessera = QStringLiteral("00001");
    QDate nascita = QDate(1970, 5, 16);
    QDate iscrizione = QDate(2020, 1, 10);
    bool datiPersonali = true;
    bool fotoVideo = true;
    bool mailList = true;
    QString email = QStringLiteral("socio@example.it");
};

class ListsTest : public AppTest {
protected:
    qint64 addPerson(const Person& p);
    // A fee of |cents| for |anno| paid on |indata|.
    void addFee(qint64 codNom, const QString& anno, qint64 cents, const QDate& indata = QDate(2026, 3, 1),
                const QString& note = QStringLiteral("Quota sociale"));
    qint64 field(qint64 codNom, const QString& column);
    QString textField(qint64 codNom, const QString& column);

    // Sixty persons of every kind the marks tell apart: all, some or no consents; fees of
    // this year, last year, an older year or none, zero fees; dates of birth over the
    // months, shared days, missing or unreadable; surnames differing in letter case and
    // accents. A fee row without a person too. Every scratch mark holds a stale value.
    void addVariedRegistry(int thisYear);
    // The scratch marks of every person (key, AddOK, Anni, Compleanno, CodiceControllo2)
    // and of every fee row (key, Validate), one text per row.
    QStringList marks();
};

} // namespace vb::test
