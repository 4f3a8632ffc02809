#include "accounting/statement/Rendicontazione.h"
#include "accounting/statement/tests/CashBookRows.h"
#include "tests/support/TestSupport.h"

namespace vb::statement {
namespace {

using test::addCashRow;
using test::CashRow;

class RendicontazioneTest : public test::AppTest {
protected:
    struct Row {
        QString testata, tipo, codice, descr, data;
        qint64 anno, importo, importoE, importoU, riceNum;
        QString causale;
        bool subCodNull;
    };

    std::vector<Row> rows()
    {
        std::vector<Row> out;
        auto q = db->query(QStringLiteral(
            "SELECT TestataCassa, EntrataUscita, Codice, DescrCodice, Data, Anno, Importo, ImportoE, ImportoU,"
            " RiceNum, Causale, SubCodDescrizione FROM Rendicontazione ORDER BY rowid"));
        while (q.next())
            out.push_back({q.text(0), q.text(1), q.text(2), q.text(3), q.text(4), q.integer(5), q.integer(6),
                           q.integer(7), q.integer(8), q.integer(9), q.text(10), q.isNull(11)});
        return out;
    }
};

TEST_F(RendicontazioneTest, SignedDifferenceFormsOfTheTotals)
{
    const struct { qint64 income, expense; const char* text; } cases[] = {
        {10000, 3000, "+ € 70,00"},
        {3000, 3000, "- € 0,00"},
        {0, 0, "- € 0,00"},
        {3000, 10000, "- € 70,00"},
        {123456789, 0, "+ € 1.234.567,89"},
        {1, 0, "+ € 0,01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(QString::fromUtf8(c.text), signedDifference(Money::fromCents(c.income), Money::fromCents(c.expense)));
    }
}

TEST_F(RendicontazioneTest, YearTextMustBeAWholeNumber)
{
    const struct { const char* text; std::optional<int> year; } cases[] = {
        {"2026", 2026}, {" 2025 ", 2025}, {"0", 0}, {"", std::nullopt}, {"20a6", std::nullopt},
        {"2026,5", std::nullopt}, {"99999999999", std::nullopt}, {"2026; DELETE", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.year, statementYear(QString::fromUtf8(c.text)));
    }
}

TEST_F(RendicontazioneTest, OneRowPerCashRowOfTheYearByDateThenEntry)
{
    test::addCode(*db, QStringLiteral("SPE"), QStringLiteral("Spese varie"), 2);
    // Entered out of date order; the two rows of 3 March keep their order of entry.
    addCashRow(*db, {3, QDate(2026, 3, 3), 2026, "SPE", "U", 4050, "Cancelleria", 12});
    addCashRow(*db, {1, QDate(2026, 1, 15), 2026, "AQS", "E", 2500, "Quota Rossi", 7});
    addCashRow(*db, {1, QDate(2026, 3, 3), 2026, "AQS", "E", 2500, "Quota Bianchi"});
    addCashRow(*db, {1, QDate(2026, 2, 1), 2026, "XYZ", "G", 10000, "Giroconto"});
    addCashRow(*db, {1, QDate(2025, 12, 31), 2025, "AQS", "E", 9900, "Anno prima"});
    addCashRow(*db, {1, QDate(2027, 1, 2), 2026, "AQS", "E", 100, "Datata l'anno dopo"});
    addCashRow(*db, {2, QDate(2026, 1, 1), 2026, "AQS", "E", 777, "Libro senza testata"});

    const StatementTotals totals = RebuildRendicontazione(*db, 2026);

    const std::vector<Row> got = rows();
    ASSERT_EQ(5u, got.size());
    const struct { const char* testata; const char* tipo; const char* descr; const char* data; qint64 importo, e, u, ric;
                   const char* causale; } want[] = {
        {"Cassa contanti", "E", "AQS - Quote sociali", "2026-01-15", 2500, 2500, 0, 7, "Quota Rossi"},
        {"Cassa contanti", "G", "XYZ - ", "2026-02-01", 10000, 0, 0, 0, "Giroconto"},
        {"Banca - bonifici", "U", "SPE - Spese varie", "2026-03-03", 4050, 0, 4050, 12, "Cancelleria"},
        {"Cassa contanti", "E", "AQS - Quote sociali", "2026-03-03", 2500, 2500, 0, 0, "Quota Bianchi"},
        {"Cassa contanti", "E", "AQS - Quote sociali", "2027-01-02", 100, 100, 0, 0, "Datata l'anno dopo"},
    };
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(QString::fromUtf8(want[i].testata), got[i].testata);
        EXPECT_EQ(QString::fromUtf8(want[i].tipo), got[i].tipo);
        EXPECT_EQ(QString::fromUtf8(want[i].descr).left(3), got[i].codice);
        EXPECT_EQ(QString::fromUtf8(want[i].descr), got[i].descr);
        EXPECT_EQ(QString::fromUtf8(want[i].data), got[i].data);
        EXPECT_EQ(2026, got[i].anno);
        EXPECT_EQ(want[i].importo, got[i].importo);
        EXPECT_EQ(want[i].e, got[i].importoE);
        EXPECT_EQ(want[i].u, got[i].importoU);
        EXPECT_EQ(want[i].ric, got[i].riceNum);
        EXPECT_EQ(QString::fromUtf8(want[i].causale), got[i].causale);
        EXPECT_TRUE(got[i].subCodNull);
    }
    // The giroconto counts in neither total.
    EXPECT_EQ(Money::fromCents(5100), totals.TotEntrate);
    EXPECT_EQ(Money::fromCents(4050), totals.TotUscite);
    EXPECT_EQ(QStringLiteral("+ € 10,50"), totals.Differenza);
}

TEST_F(RendicontazioneTest, EachRebuildShowsOnlyTheCurrentRowsOfItsYear)
{
    addCashRow(*db, {1, QDate(2026, 5, 1), 2026, "AQS", "E", 10000});
    addCashRow(*db, {1, QDate(2025, 5, 1), 2025, "AQS", "U", 3000});
    RebuildRendicontazione(*db, 2026);
    EXPECT_EQ(1, test::countRows(*db, QStringLiteral("Rendicontazione")));

    const StatementTotals other = RebuildRendicontazione(*db, 2025);
    EXPECT_EQ(1, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(QStringLiteral("- € 30,00"), other.Differenza);

    addCashRow(*db, {1, QDate(2026, 6, 1), 2026, "AQS", "U", 2500});
    const StatementTotals again = RebuildRendicontazione(*db, 2026);
    EXPECT_EQ(2, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(QStringLiteral("+ € 75,00"), again.Differenza);

    const StatementTotals empty = RebuildRendicontazione(*db, 1999);
    EXPECT_EQ(0, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(Money(), empty.TotEntrate);
    EXPECT_EQ(QStringLiteral("- € 0,00"), empty.Differenza);
}

TEST_F(RendicontazioneTest, FailedRebuildKeepsThePreviousStatement)
{
    addCashRow(*db, {1, QDate(2026, 5, 1), 2026, "AQS", "E", 10000});
    addCashRow(*db, {1, QDate(2026, 5, 2), 2026, "AQS", "E", 500});
    RebuildRendicontazione(*db, 2026);
    // The second row written fails: the rows already deleted and written must come back.
    db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Rendicontazione"
                               " WHEN NEW.Importo = 500 BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(RebuildRendicontazione(*db, 2026), db::Error);
    EXPECT_EQ(2, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_FALSE(db->inTransaction());
}

} // namespace
} // namespace vb::statement
