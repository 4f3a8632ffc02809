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

} // namespace vb::test
