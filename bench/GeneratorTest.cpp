#include "bench/Generator.h"

#include "core/Parse.h"
#include "members/PersonRecord.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace vb;

namespace {

qint64 scalar(db::Database& db, const QString& sql, std::initializer_list<db::Param> params = {})
{
    auto st = db.query(sql, params);
    return st.next() ? st.integer(0) : -1;
}

// A digest of every row of the tables the generator writes.
QByteArray digest(db::Database& db)
{
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const char* table : {"TabellaNominativi", "RegistroQuoteSoci", "TabellaCodici", "LibroCassa"}) {
        auto st = db.query(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(table)));
        while (st.next()) {
            for (int c = 0; c < st.columnCount(); ++c)
                h.addData(st.value(c).toString().toUtf8() + '\x1f');
        }
    }
    return h.result();
}

bench::GeneratorOptions smallArchive()
{
    bench::GeneratorOptions o;
    o.persons = 300;
    o.feesPerPerson = 3;
    o.cashRows = 3000;
    o.firstYear = 2020;
    o.years = 4;
    o.seed = 7;
    return o;
}

class GeneratorTest : public ::testing::Test {
protected:
    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db = folder.open();
};

} // namespace

TEST_F(GeneratorTest, CountsMatchTheRowsWritten)
{
    const auto counts = bench::generateArchive(*db, smallArchive());
    EXPECT_EQ(counts.persons, 300);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi")), counts.persons);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci")), counts.fees);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM LibroCassa")), counts.cashRows);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM TabellaCodici")), counts.codes + 1);
    EXPECT_GT(counts.fees, 300);
    // Every fee has its posting, besides the other movements.
    EXPECT_EQ(counts.cashRows, 3000 + counts.fees);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM LibroCassa WHERE CodiceCategoria = 'AQS'")), counts.fees);
}

TEST_F(GeneratorTest, CashBookIsConsistent)
{
    bench::generateArchive(*db, smallArchive());
    const std::pair<const char*, const char*> noneMayMatch[] = {
        {"row outside its year", "SELECT COUNT(*) FROM LibroCassa WHERE Anno <> CAST(substr(Data, 1, 4) AS INTEGER)"},
        {"year outside the range", "SELECT COUNT(*) FROM LibroCassa WHERE Anno NOT BETWEEN 2020 AND 2023"},
        {"unknown book", "SELECT COUNT(*) FROM LibroCassa WHERE CodiceTestataCassa NOT IN (1, 3)"},
        {"unknown code",
         "SELECT COUNT(*) FROM LibroCassa WHERE CodiceCategoria NOT IN (SELECT Codice FROM TabellaCodici)"},
        {"kind against the code's kind",
         "SELECT COUNT(*) FROM LibroCassa JOIN TabellaCodici ON Codice = CodiceCategoria "
         "WHERE Tipo <> CASE AttivitaPassivita WHEN 1 THEN 'E' WHEN 2 THEN 'U' END"},
        {"amount not positive", "SELECT COUNT(*) FROM LibroCassa WHERE Importo <= 0"},
        {"empty description", "SELECT COUNT(*) FROM LibroCassa WHERE IFNULL(Descrizione, '') = ''"},
        {"closed row", "SELECT COUNT(*) FROM LibroCassa WHERE ChiusuraAnno <> 0"},
        {"code of more than three characters", "SELECT COUNT(*) FROM TabellaCodici WHERE length(Codice) <> 3"},
    };
    for (const auto& [what, sql] : noneMayMatch) {
        SCOPED_TRACE(what);
        EXPECT_EQ(scalar(*db, QString::fromUtf8(sql)), 0);
    }
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(DISTINCT CodiceTestataCassa || '-' || Anno) FROM LibroCassa")), 8);

    // The stored balance is the running one of every book and year, from zero, in the
    // order of date and key.
    auto st = db->query(QStringLiteral("SELECT CodiceTestataCassa, Anno, Tipo, Importo, Saldo, ID_LibroCassa "
                                       "FROM LibroCassa ORDER BY CodiceTestataCassa, Anno, Data, ID_LibroCassa"));
    qint64 book = -1, year = -1;
    Money running;
    int wrong = 0;
    while (st.next()) {
        if (st.integer(0) != book || st.integer(1) != year) {
            book = st.integer(0);
            year = st.integer(1);
            running = Money();
        }
        running += st.text(2) == QStringLiteral("E") ? st.money(3) : -st.money(3);
        if (st.isNull(4) || st.money(4) != running)
            ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(GeneratorTest, PersonsAndFeesAreStoredAsTheRegistryAndFeeWindowWriteThem)
{
    bench::generateArchive(*db, smallArchive());
    static const QRegularExpression card(QStringLiteral("^(\\d{5}|0000)$"));
    auto st = db->query(QStringLiteral("SELECT * FROM TabellaNominativi"));
    int apostrophes = 0, accents = 0, members = 0;
    while (st.next()) {
        const QString cognome = st.text("Cognome");
        SCOPED_TRACE(cognome.toStdString() + " " + st.text("Nome").toStdString());
        EXPECT_EQ(st.text("Nominativo"), cognome + u' ' + st.text("Nome"));
        EXPECT_EQ(st.integer("CodiceControllo"), members::codiceControllo(st.text("TipoSocio")));
        EXPECT_TRUE(members::memberTypes().contains(st.text("TipoSocio")));
        EXPECT_EQ(st.text("CFiscale").size(), 16);
        EXPECT_TRUE(card.match(st.text("NumTessera")).hasMatch()) << st.text("NumTessera").toStdString();
        EXPECT_TRUE(parse::isoDate(st.text("IL")).has_value());
        EXPECT_TRUE(parse::isoDate(st.text("DataIscrizione")).has_value());
        EXPECT_LT(st.date("IL"), st.date("DataIscrizione"));
        EXPECT_EQ(st.integer("AssensoTrattDatiPersonali"), 1);
        for (const char* field : {"Note", "EnteAppartenenza", "Professione", "TitoloStudio", "OccupazioneAttuale",
                                  "EMail", "Cell", "Telefono", "NatoA", "Residente", "CAP", "Indirizzo", "Numero"})
            EXPECT_FALSE(st.text(QString::fromLatin1(field)).isEmpty()) << field;
        apostrophes += cognome.contains(u'\'');
        accents += (cognome + st.text("Nome")).contains(QRegularExpression(QStringLiteral("[àèéìòù]")));
        members += members::isMember(st.text("NumTessera"));
    }
    EXPECT_GT(apostrophes, 0);
    EXPECT_GT(accents, 0);
    EXPECT_GT(members, 150);
    EXPECT_LT(members, 300);

    // Fees belong to card holders of a paying type and carry their card number; the
    // posting's description names the person.
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci q JOIN TabellaNominativi n USING (CodNom) "
                                         "WHERE q.TessNum <> n.NumTessera OR n.NumTessera = '0000' "
                                         "OR n.CodiceControllo IN (0, 1) OR q.QuotaVers <= 0 "
                                         "OR CAST(q.Anno AS INTEGER) NOT BETWEEN 2020 AND 2023")),
              0);
    auto fee = db->query(QStringLiteral("SELECT n.Cognome, n.Nome, q.TessNum, q.Anno, q.QuotaVers, q.Indata "
                                        "FROM RegistroQuoteSoci q JOIN TabellaNominativi n USING (CodNom) LIMIT 1"));
    ASSERT_TRUE(fee.next());
    const QString person = fee.text(0) + u' ' + fee.text(1) + QStringLiteral(" Tess. n. ") + fee.text(2);
    const QString head = QStringLiteral("Quota sociale ") + fee.text(3);
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM LibroCassa WHERE CodiceCategoria = 'AQS' AND Tipo = 'E' "
                                         "AND Data = ? AND Importo = ? AND Descrizione IN (?, ?)"),
                     {fee.text(5), fee.money(4), head + QStringLiteral(" (Contanti) - ") + person,
                      head + QStringLiteral(" (Bonifico) - ") + person}),
              1);
}

TEST(Generator, SameSeedGivesTheSameArchive)
{
    auto make = [](quint32 seed) {
        bench::BenchFolder folder;
        auto db = folder.open();
        auto o = smallArchive();
        o.seed = seed;
        bench::generateArchive(*db, o);
        return digest(*db);
    };
    const QByteArray first = make(7);
    EXPECT_EQ(make(7).toHex().toStdString(), first.toHex().toStdString());
    EXPECT_NE(make(8).toHex().toStdString(), first.toHex().toStdString());
}

TEST_F(GeneratorTest, FailureWritesNothing)
{
    const QByteArray before = digest(*db);
    // The cash book refuses its rows: persons, fees and codes written before are undone too.
    db->executeScript(QStringLiteral("CREATE TEMP TRIGGER refuse_cash BEFORE INSERT ON main.LibroCassa "
                                     "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END;"));
    EXPECT_THROW(bench::generateArchive(*db, smallArchive()), db::Error);
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi")), 0);
    EXPECT_EQ(digest(*db).toHex().toStdString(), before.toHex().toStdString());
}
