#include "members/lists/tests/ListsFixture.h"

#include "core/Format.h"

namespace vb::test {

qint64 ListsTest::addPerson(const Person& p)
{
    db->execute(QStringLiteral(
        "INSERT INTO TabellaNominativi (NumTessera, DataIscrizione, Titolo, Cognome, Nome, Nominativo, NatoA, IL, "
        "Residente, CAP, Indirizzo, Numero, Telefono, Cell, EMail, TipoSocio, CodiceControllo, CFiscale, Note, "
        "AssensoTrattDatiPersonali, AssensoFotoVideoWeb, AssensoMailList) "
        "VALUES (?, ?, 'Sig.', ?, ?, ?, 'Roma', ?, 'Roma', '00100', 'Via Roma', '1', '0', '333', ?, 'ORDINARI', 3, "
        "'AAABBB00A00A000A', 'NIL', ?, ?, ?)"),
        {p.numTessera, p.iscrizione, p.cognome, p.nome, p.cognome + QLatin1Char(' ') + p.nome, p.nascita, p.email,
         p.datiPersonali, p.fotoVideo, p.mailList});
    return db->lastInsertId();
}

void ListsTest::addFee(qint64 codNom, const QString& anno, qint64 cents, const QDate& indata, const QString& note)
{
    db->execute(QStringLiteral(
        "INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
        "SELECT CodNom, ?, ?, ?, ?, ? FROM TabellaNominativi WHERE CodNom = ?"),
        {fmt::text(textField(codNom, QStringLiteral("NumTessera")), QStringLiteral("00000")), indata, anno,
         Money::fromCents(cents), note, codNom});
}

qint64 ListsTest::field(qint64 codNom, const QString& column)
{
    auto st = db->query(QStringLiteral("SELECT %1 FROM TabellaNominativi WHERE CodNom = ?").arg(column), {codNom});
    return st.next() ? st.integer(0) : -1;
}

QString ListsTest::textField(qint64 codNom, const QString& column)
{
    auto st = db->query(QStringLiteral("SELECT %1 FROM TabellaNominativi WHERE CodNom = ?").arg(column), {codNom});
    return st.next() ? st.text(0) : QString();
}

void ListsTest::addVariedRegistry(int thisYear)
{
    // Six persons at a time share a date of birth, so that names decide their order.
    const char* surnames[] = {"Rossi", "ROSSI", "rossi", "alfa", "Zeta", "Àlfa"};
    for (int i = 0; i < 60; ++i) {
        Person p{QString::fromUtf8(surnames[i % 6]), i % 4 ? QStringLiteral("Anna") : QStringLiteral("ANNA"),
                 QString::number(i)};
        const int g = i / 6;
        p.nascita = i % 11 == 0 ? QDate() : QDate(1950 + g % 4, 1 + (g * 5) % 12, 1 + g % 3);
        p.fotoVideo = i % 5 != 0;
        p.datiPersonali = i % 7 != 0;
        const qint64 key = addPerson(p);
        if (i % 13 == 0)
            db->execute(QStringLiteral("UPDATE TabellaNominativi SET IL = 'non so' WHERE CodNom = ?"), {key});
        switch (i % 5) {
        case 0: addFee(key, QString::number(thisYear), 2500); break;
        case 1: addFee(key, QString::number(thisYear - 1), 2500); break;
        case 2: addFee(key, QString::number(thisYear - 2), 2500); break;
        case 3: addFee(key, QString::number(thisYear), 0); break;
        default: break;
        }
        if (i % 6 == 0)
            addFee(key, QString::number(thisYear - 1), 1000);
    }
    db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, Anno, QuotaVers) VALUES (NULL, ?, 2500)"),
                {QString::number(thisYear - 1)});
    db->execute(QStringLiteral(
        "UPDATE TabellaNominativi SET AddOK = (CodNom * 7) % 4, Anni = CodNom % 3, CodiceControllo2 = CodNom % 2, "
        "Compleanno = CASE CodNom % 4 WHEN 0 THEN NULL WHEN 1 THEN '0' WHEN 2 THEN 'x' ELSE '15/03/2026' END"));
    db->execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = IDRegistro % 3"));
}

QStringList ListsTest::marks()
{
    QStringList out;
    auto persons = db->query(QStringLiteral(
        "SELECT CodNom || '|' || AddOK || '|' || Anni || '|' || quote(Compleanno) || '|' || CodiceControllo2 "
        "FROM TabellaNominativi ORDER BY CodNom"));
    while (persons.next())
        out << persons.text(0);
    auto fees = db->query(QStringLiteral("SELECT IDRegistro || '|' || Validate FROM RegistroQuoteSoci ORDER BY IDRegistro"));
    while (fees.next())
        out << fees.text(0);
    return out;
}

} // namespace vb::test
