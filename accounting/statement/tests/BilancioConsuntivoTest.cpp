#include "accounting/statement/BilancioConsuntivo.h"
#include "accounting/statement/tests/CashBookRows.h"
#include "tests/support/TestSupport.h"

namespace vb::statement {
namespace {

using test::addCashRow;

class BilancioConsuntivoTest : public test::AppTest {
protected:
    struct Line {
        QString cod, descr;
        qint64 ord, e, u;
        QString menoPiu;
        qint64 diff;
    };

    // The lines in the order the report lists them: OrdStampa, then Cod.
    std::vector<Line> lines()
    {
        std::vector<Line> out;
        auto q = db->query(QStringLiteral("SELECT Cod, CodDescrizione, OrdStampa, TotImportoE, TotImportoU, MenoPiu,"
                                          " Differenza FROM TabellaRiepilogativoRendiconto ORDER BY OrdStampa, Cod"));
        while (q.next())
            out.push_back({q.text(0), q.text(1), q.integer(2), q.integer(3), q.integer(4), q.text(5), q.integer(6)});
        return out;
    }
};

TEST_F(BilancioConsuntivoTest, OneLinePerCodeWithItsTotalsSignAndPrintOrder)
{
    test::addCode(*db, QStringLiteral("SPE"), QStringLiteral("Spese varie"), 2);
    test::addCode(*db, QStringLiteral("MIX"), QStringLiteral("Manifestazioni"), 1);
    test::addCode(*db, QStringLiteral("PAR"), QStringLiteral("Partite di giro"), 1);
    test::addCode(*db, QStringLiteral("GIR"), QStringLiteral("Giroconti"), 1);
    addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AQS", "E", 2500});
    addCashRow(*db, {3, QDate(2026, 2, 10), 2026, "AQS", "E", 3000});
    addCashRow(*db, {1, QDate(2026, 2, 11), 2026, "SPE", "U", 1250});
    addCashRow(*db, {1, QDate(2026, 3, 1), 2026, "MIX", "E", 50000});
    addCashRow(*db, {3, QDate(2026, 3, 2), 2026, "MIX", "U", 20000});
    addCashRow(*db, {1, QDate(2026, 4, 1), 2026, "PAR", "E", 700});
    addCashRow(*db, {1, QDate(2026, 4, 2), 2026, "PAR", "U", 700});
    addCashRow(*db, {1, QDate(2026, 5, 1), 2026, "GIR", "G", 9000});
    addCashRow(*db, {1, QDate(2025, 5, 1), 2025, "SPE", "U", 99900});

    const BalanceSheetTotals totals = RebuildBilancioConsuntivo(*db, 2026);

    const std::vector<Line> got = lines();
    // A code with only other kinds keeps OrdStampa 0 and so lists first.
    const Line want[] = {
        {"GIR", "GIR - Giroconti", 0, 0, 0, "-", 0},
        {"AQS", "AQS - Quote sociali", 1, 5500, 0, "+", 5500},
        {"MIX", "MIX - Manifestazioni", 2, 50000, 20000, "+", 30000},
        {"PAR", "PAR - Partite di giro", 2, 700, 700, "-", 0},
        {"SPE", "SPE - Spese varie", 2, 0, 1250, "-", 1250},
    };
    ASSERT_EQ(std::size(want), got.size());
    for (size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(want[i].cod.toStdString());
        EXPECT_EQ(want[i].cod, got[i].cod);
        EXPECT_EQ(want[i].descr, got[i].descr);
        EXPECT_EQ(want[i].ord, got[i].ord);
        EXPECT_EQ(want[i].e, got[i].e);
        EXPECT_EQ(want[i].u, got[i].u);
        EXPECT_EQ(want[i].menoPiu, got[i].menoPiu);
        EXPECT_EQ(want[i].diff, got[i].diff);
    }
    EXPECT_EQ(Money::fromCents(56200), totals.GrandE);
    EXPECT_EQ(Money::fromCents(21950), totals.GrandU);
    EXPECT_EQ(QStringLiteral("+ € 342,50"), totals.GrandDiff);
    // The balance sheet agrees with the statement of the same year.
    EXPECT_EQ(totals.statement.TotEntrate - totals.statement.TotUscite, totals.GrandE - totals.GrandU);
    EXPECT_EQ(totals.statement.Differenza, totals.GrandDiff);
    EXPECT_EQ(QStringLiteral("Rimanenza al 31/12/2026:"), totals.Label_Rimanenza());
}

TEST_F(BilancioConsuntivoTest, YearWithoutRowsLeavesTheTableEmpty)
{
    addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AQS", "E", 2500});
    RebuildBilancioConsuntivo(*db, 2026);

    const BalanceSheetTotals totals = RebuildBilancioConsuntivo(*db, 2024);
    EXPECT_EQ(0, test::countRows(*db, QStringLiteral("TabellaRiepilogativoRendiconto")));
    EXPECT_EQ(0, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(QStringLiteral("- € 0,00"), totals.GrandDiff);
    EXPECT_EQ(QStringLiteral("Rimanenza al 31/12/:"), totals.Label_Rimanenza());
}

// Cutting the code from the start of its description lost the amounts of a code shorter
// than three characters ("AB - " gives "AB "), so the sheet disagreed with the statement.
TEST_F(BilancioConsuntivoTest, ShortAndDifferentlyCasedCodesKeepTheirAmounts)
{
    addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AB", "E", 1000});
    addCashRow(*db, {1, QDate(2026, 1, 11), 2026, "AQS", "E", 2500});
    addCashRow(*db, {1, QDate(2026, 1, 12), 2026, "aqs", "U", 500});

    const BalanceSheetTotals totals = RebuildBilancioConsuntivo(*db, 2026);

    const std::vector<Line> got = lines();
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(QStringLiteral("AB"), got[0].cod);
    EXPECT_EQ(1000, got[0].e);
    EXPECT_EQ(QStringLiteral("AQS"), got[1].cod.toUpper());
    EXPECT_EQ(2500, got[1].e);
    EXPECT_EQ(500, got[1].u);
    EXPECT_EQ(Money::fromCents(3000), totals.GrandE - totals.GrandU);
}

TEST_F(BilancioConsuntivoTest, FailedRebuildKeepsBothTables)
{
    addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AQS", "E", 2500});
    RebuildBilancioConsuntivo(*db, 2026);
    addCashRow(*db, {1, QDate(2025, 1, 10), 2025, "AQS", "E", 100});
    db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON TabellaRiepilogativoRendiconto"
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END"));

    EXPECT_THROW(RebuildBilancioConsuntivo(*db, 2025), db::Error);
    auto q = db->query(QStringLiteral("SELECT Anno FROM Rendicontazione"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(2026, q.integer(0));
    EXPECT_EQ(1, test::countRows(*db, QStringLiteral("TabellaRiepilogativoRendiconto")));
}

} // namespace
} // namespace vb::statement
