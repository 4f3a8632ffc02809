#pragma once

#include "core/tests/support/TestSupport.h"

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
};

} // namespace vb::test
