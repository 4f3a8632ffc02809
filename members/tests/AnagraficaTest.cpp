#include "members/Anagrafica.h"
#include "members/tests/RegistryFixture.h"

#include <functional>

namespace vb::members {
namespace {

using test::completePerson;
using test::personCount;

class AnagraficaTest : public vb::test::AppTest {
protected:
    Anagrafica registry{*db};

    qint64 add(PersonRecord p)
    {
        qint64 key = 0;
        EXPECT_EQ(registry.add(p, &key), QString());
        return key;
    }

    QString stored(qint64 key, const QString& field)
    {
        auto st = db->query(QStringLiteral("SELECT * FROM TabellaNominativi WHERE CodNom = ?"), {key});
        EXPECT_TRUE(st.next());
        return st.isNull(field) ? QStringLiteral("<NULL>") : st.text(field);
    }

    QStringList surnames(const QString& prefix)
    {
        RegistryRows rows;
        registry.search(prefix, rows);
        QStringList out;
        for (int r = 0; r < rows.size(); ++r)
            out << rows.text(r, RegistryRows::Cognome);
        return out;
    }
};

// Each failed check shows its message and writes nothing, on add and on modify.
TEST_F(AnagraficaTest, FailedChecksSaveNothing)
{
    const qint64 existing = add(completePerson(QStringLiteral("Verdi")));
    struct Case {
        const char* name;
        std::function<void(PersonRecord&)> change;
        QString addMessage;
        QString modifyMessage; // empty: the modify goes through
    };
    const QString cfLength = QStringLiteral("Codice Fiscale o non valido! ");
    const std::vector<Case> cases{
        {"surname", [](PersonRecord& p) { p.Cognome.clear(); }, QStringLiteral("Cognome mancante! "), QStringLiteral("Cognome mancante! ")},
        {"name", [](PersonRecord& p) { p.Nome.clear(); }, QStringLiteral("Nome mancante! "), QStringLiteral("Nome mancante! ")},
        {"postcode", [](PersonRecord& p) { p.CAPresidente.clear(); }, QStringLiteral("CAP residenza mancante! "), QStringLiteral("CAP residenza mancante! ")},
        {"mobile", [](PersonRecord& p) { p.Cellulare.clear(); }, QStringLiteral("Num. Cellulare mancante! "), QStringLiteral("Num. Cellulare mancante! ")},
        {"tax code", [](PersonRecord& p) { p.CF.clear(); },
         QStringLiteral("Codice Fiscale mancante! Se non disponibile sarà assegnato comunque uno non valido. "),
         QStringLiteral("Codice Fiscale mancante! Se non disponibile sarà assegnato comunque uno non valido. ")},
        {"birthplace", [](PersonRecord& p) { p.LuogoNascita.clear(); }, QStringLiteral("Luogo di nascita mancante! "), QStringLiteral("Luogo di nascita mancante! ")},
        {"birth date", [](PersonRecord& p) { p.DataNascita.clear(); }, QStringLiteral("Data di nascita mancante! "), QString()},
        {"town", [](PersonRecord& p) { p.Residente.clear(); }, QStringLiteral("Residenza mancante! "), QStringLiteral("Residenza mancante! ")},
        {"street", [](PersonRecord& p) { p.IndirizzoResidente.clear(); }, QStringLiteral("Indirizzo mancante! "), QStringLiteral("Indirizzo mancante! ")},
        {"house number", [](PersonRecord& p) { p.Numero.clear(); }, QStringLiteral("Numero indirizzo mancante! "), QStringLiteral("Numero indirizzo mancante! ")},
        {"consent", [](PersonRecord& p) { p.AssensoTrattDatiPersonali = false; },
         QStringLiteral("Assenso trattamenti dati personali mancante! "), QStringLiteral("Assenso trattamenti dati personali mancante! ")},
        {"member type", [](PersonRecord& p) { p.TipoSocio.clear(); }, QStringLiteral("Tipo di Socio necessario! "), QStringLiteral("Tipo di Socio necessario! ")},
        {"e-mail", [](PersonRecord& p) { p.PostaElettronica.clear(); }, QStringLiteral("E-mail mancante/non valida! "), QString()},
        {"tax code of 15", [](PersonRecord& p) { p.CF.chop(1); }, cfLength, cfLength},
        {"tax code of 17", [](PersonRecord& p) { p.CF += u'X'; }, cfLength, cfLength},
        {"birth date not a date", [](PersonRecord& p) { p.DataNascita = QStringLiteral("31/02/1980"); },
         QStringLiteral("Data di nascita non corretta! Inserire la data come ggmmaaaa (es.16051978). "),
         QStringLiteral("Data di nascita non corretta! Inserire la data come ggmmaaaa (es.16051978). ")},
        {"registration date not a date", [](PersonRecord& p) { p.DataIscrizione = QStringLiteral("ieri"); },
         QStringLiteral("Data di iscrizione non corretta! Inserire la data come gg/mm/aaaa. "),
         QStringLiteral("Data di iscrizione non corretta! Inserire la data come gg/mm/aaaa. ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PersonRecord p = completePerson(QStringLiteral("Bianchi"));
        c.change(p);
        EXPECT_EQ(registry.add(p), c.addMessage);
        EXPECT_EQ(personCount(*db), 1);

        PersonRecord m = completePerson(QStringLiteral("Bianchi"));
        c.change(m);
        EXPECT_EQ(registry.modify(existing, m), c.modifyMessage);
        if (!c.modifyMessage.isEmpty()) {
            EXPECT_EQ(stored(existing, QStringLiteral("Cognome")), QStringLiteral("Verdi"));
        }
        // Put the row back for the next case.
        PersonRecord back = completePerson(QStringLiteral("Verdi"));
        ASSERT_EQ(registry.modify(existing, back), QString());
    }
}

TEST_F(AnagraficaTest, AddStoresThePlaceholdersOfTheEmptyFields)
{
    PersonRecord p = completePerson();
    p.TipoSocio = QStringLiteral("Amici del sabato");
    const qint64 key = add(p);
    const std::vector<std::pair<QString, QString>> expected{
        {QStringLiteral("NumTessera"), QStringLiteral("0000")},
        {QStringLiteral("DataIscrizione"), QStringLiteral("2026-12-09")},
        {QStringLiteral("Cognome"), QStringLiteral("D'Amico")},
        {QStringLiteral("Nominativo"), QStringLiteral("D'Amico Anna")},
        {QStringLiteral("IL"), QStringLiteral("1978-05-16")},
        {QStringLiteral("Indirizzo"), QStringLiteral("Via dell'Orto")},
        {QStringLiteral("Telefono"), QStringLiteral("0")},
        {QStringLiteral("TipoSocio"), QStringLiteral("Amici del sabato")},
        {QStringLiteral("CodiceControllo"), QStringLiteral("0")},
        {QStringLiteral("EnteAppartenenza"), QStringLiteral("Non disponibile")},
        {QStringLiteral("Note"), QStringLiteral("NIL")},
        {QStringLiteral("Professione"), QStringLiteral("Non disponibile")},
        {QStringLiteral("TitoloStudio"), QStringLiteral("Non disponibile")},
        {QStringLiteral("OccupazioneAttuale"), QStringLiteral("Non disponibile")},
        {QStringLiteral("AssensoTrattDatiPersonali"), QStringLiteral("1")},
        {QStringLiteral("AssensoFotoVideoWeb"), QStringLiteral("0")},
        {QStringLiteral("AssensoMailList"), QStringLiteral("0")},
        {QStringLiteral("Titolo"), QString()},
        {QStringLiteral("Nucleo"), QString()},
    };
    for (const auto& [field, value] : expected) {
        SCOPED_TRACE(field.toStdString());
        EXPECT_EQ(stored(key, field), value);
    }
}

TEST_F(AnagraficaTest, MissingTaxCodeGetsThePlaceholderOnTheSecondPress)
{
    PersonRecord p = completePerson();
    p.CF.clear();
    EXPECT_NE(registry.add(p), QString());
    EXPECT_EQ(p.CF, kNoTaxCode);
    EXPECT_EQ(personCount(*db), 0);
    qint64 key = 0;
    EXPECT_EQ(registry.add(p, &key), QString());
    EXPECT_EQ(stored(key, QStringLiteral("CFiscale")), kNoTaxCode);
}

TEST_F(AnagraficaTest, ModifyRewritesTheRowWithItsOwnDefaults)
{
    PersonRecord p = completePerson();
    p.Num = QStringLiteral("00012");
    const qint64 key = add(p);

    PersonRecord m = completePerson(QStringLiteral("Dell'Orto"), QStringLiteral("Luca"), QString());
    m.Num.clear();
    m.PostaElettronica.clear();
    m.TipoSocio = QStringLiteral("BENEMERITI");
    EXPECT_EQ(registry.modify(key, m), QString());
    EXPECT_EQ(m.PostaElettronica, QStringLiteral("Non disponibile"));
    EXPECT_EQ(stored(key, QStringLiteral("NumTessera")), QString());
    EXPECT_EQ(stored(key, QStringLiteral("EMail")), QStringLiteral("Non disponibile"));
    EXPECT_EQ(stored(key, QStringLiteral("IL")), QStringLiteral("<NULL>"));
    EXPECT_EQ(stored(key, QStringLiteral("Nominativo")), QStringLiteral("Dell'Orto Luca"));
    EXPECT_EQ(stored(key, QStringLiteral("CodiceControllo")), QStringLiteral("6"));
    EXPECT_EQ(personCount(*db), 1);

    registry.remove(key);
    EXPECT_THROW(registry.modify(key, m), vb::Error);
}

TEST_F(AnagraficaTest, LoadShowsTheRowAsTheEntryFieldsHoldIt)
{
    PersonRecord p = completePerson();
    p.Num = QStringLiteral("12");
    p.AssensoMailList = true;
    const auto loaded = registry.load(add(p));
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Num, QStringLiteral("00012"));
    EXPECT_EQ(loaded->DataNascita, QStringLiteral("16/05/1978"));
    EXPECT_EQ(loaded->DataIscrizione, QStringLiteral("09/12/2026"));
    EXPECT_EQ(loaded->Cognome, QStringLiteral("D'Amico"));
    EXPECT_EQ(loaded->Telefono, QStringLiteral("0"));
    EXPECT_TRUE(loaded->AssensoMailList);
    EXPECT_FALSE(loaded->AssensoFotoVideoWeb);
    EXPECT_FALSE(registry.load(9999).has_value());
}

TEST_F(AnagraficaTest, DuplicatesMatchSurnameNameAndBirthDateIgnoringCase)
{
    const qint64 first = add(completePerson());
    const qint64 second = add(completePerson(QStringLiteral("D'AMICO"), QStringLiteral("anna")));
    add(completePerson(QStringLiteral("D'Amico"), QStringLiteral("Anna"), QStringLiteral("17/05/1978")));
    add(completePerson(QStringLiteral("D'Amici"), QStringLiteral("Anna")));
    EXPECT_EQ(registry.duplicates(QStringLiteral("d'amico"), QStringLiteral("ANNA"), QDate(1978, 5, 16)),
              (std::vector<qint64>{first, second}));
    EXPECT_TRUE(registry.duplicates(QStringLiteral("D'Amico"), QStringLiteral("Anna"), QDate(1979, 5, 16)).empty());

    // Accented letters fold too, also when the accent was typed as a separate mark.
    const qint64 cantu = add(completePerson(QStringLiteral("Cantù"), QStringLiteral("Niccolò")));
    const struct { const char* cognome; const char* nome; } typed[] = {
        {"CANTÙ", "NICCOLÒ"}, {"cantù", "niccolò"}, {"CANTU\u0300", "Niccolo\u0300"}};
    for (const auto& t : typed) {
        SCOPED_TRACE(t.cognome);
        EXPECT_EQ(registry.duplicates(QString::fromUtf8(t.cognome), QString::fromUtf8(t.nome), QDate(1978, 5, 16)),
                  std::vector<qint64>{cantu});
    }
    EXPECT_TRUE(registry.duplicates(QStringLiteral("CANTU"), QStringLiteral("NICCOLO"), QDate(1978, 5, 16)).empty());
}

TEST_F(AnagraficaTest, MembersAreNeverDeleted)
{
    const std::vector<std::pair<QString, Anagrafica::Removal>> cases{
        {QStringLiteral("0000"), Anagrafica::Removal::Deleted},
        {QStringLiteral("0"), Anagrafica::Removal::Deleted},
        {QStringLiteral("00012"), Anagrafica::Removal::RefusedMember},
        {QStringLiteral("A7"), Anagrafica::Removal::RefusedMember},
    };
    for (const auto& [card, outcome] : cases) {
        SCOPED_TRACE(card.toStdString());
        PersonRecord p = completePerson();
        p.Num = card;
        const qint64 key = add(p);
        EXPECT_EQ(registry.remove(key), outcome);
        EXPECT_EQ(registry.load(key).has_value(), outcome != Anagrafica::Removal::Deleted);
    }
    EXPECT_EQ(registry.remove(9999), Anagrafica::Removal::Missing);
}

TEST_F(AnagraficaTest, SearchFindsSurnamesByTheirFirstLetters)
{
    for (const char* s : {"Rossi", "ROSSINI", "Bruno", "rotondi", "Ro", "R", "Ma@", "Ma[", "D'Amico", "Damiani", "Rò",
                          "Cantù", "\U0001F33BFiore"})
        add(completePerson(QString::fromUtf8(s), QStringLiteral("X")));
    const std::vector<std::pair<QString, QStringList>> cases{
        {QStringLiteral("ro"), {QStringLiteral("Ro"), QStringLiteral("Rossi"), QStringLiteral("ROSSINI"), QStringLiteral("rotondi")}},
        {QStringLiteral("ROSS"), {QStringLiteral("Rossi"), QStringLiteral("ROSSINI")}},
        {QStringLiteral("D'a"), {QStringLiteral("D'Amico")}},
        {QStringLiteral("Ma@"), {QStringLiteral("Ma@")}},
        {QStringLiteral("Rò"), {QStringLiteral("Rò")}},
        {QStringLiteral("RÒ"), {QStringLiteral("Rò")}},
        {QStringLiteral("CANTÙ"), {QStringLiteral("Cantù")}},
        {QStringLiteral("CANTU"), {}},
        {QString::fromUtf8("\U0001F33BF"), {QString::fromUtf8("\U0001F33BFiore")}},
        {QString::fromUtf8("\U0001F33B"), {QString::fromUtf8("\U0001F33BFiore")}},
        {QStringLiteral("z"), {}},
        {QStringLiteral("%"), {}},
    };
    for (const auto& [prefix, expected] : cases) {
        SCOPED_TRACE(prefix.toStdString());
        EXPECT_EQ(surnames(prefix), expected);
    }
    RegistryRows all;
    registry.search(QString(), all);
    ASSERT_EQ(all.size(), 13);
    EXPECT_GT(all.codNom(0), all.codNom(12));

    // A name changed by any writer gets its new key.
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET Cognome = 'Ègidi' WHERE Cognome = 'Bruno'"));
    EXPECT_EQ(surnames(QStringLiteral("ÈGI")), QStringList{QStringLiteral("Ègidi")});
    EXPECT_TRUE(surnames(QStringLiteral("bru")).isEmpty());
}

} // namespace
} // namespace vb::members

namespace vb::members {
namespace {

// The organisations come from their index: distinct values ignoring ASCII case, in order,
// without the empty ones; the same list as a scan of the rows gives.
TEST_F(AnagraficaTest, OrganisationsAreListedOnceEachInOrderFromTheirIndex)
{
    for (const char* ente : {"Croce Rossa", "AVIS", "", "croce rossa", "Àncora", "Misericordia", "AVIS"}) {
        PersonRecord p = completePerson(QStringLiteral("Rossi"));
        p.EnteAppartenenza = QString::fromUtf8(ente);
        add(p);
    }
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, EnteAppartenenza) VALUES ('Neri', NULL)"));
    QString steps;
    {
        auto plan = db->query(QStringLiteral("EXPLAIN QUERY PLAN SELECT DISTINCT EnteAppartenenza "
                                             "FROM TabellaNominativi ORDER BY EnteAppartenenza ASC"));
        while (plan.next())
            steps += plan.text(3) + u'\n';
    }
    EXPECT_TRUE(steps.contains(QStringLiteral("TabellaNominativi_Ente"))) << steps.toStdString();
    EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << steps.toStdString();

    // Which of the two spellings of "Croce Rossa" stands for both is the archive's choice.
    const QStringList fromIndex = registry.enti();
    EXPECT_EQ(fromIndex.join(u'|').toLower(), QStringLiteral("avis|croce rossa|misericordia|non disponibile|àncora"));
    db->execute(QStringLiteral("DROP INDEX TabellaNominativi_Ente"));
    EXPECT_EQ(registry.enti(), fromIndex);
}

} // namespace
} // namespace vb::members
