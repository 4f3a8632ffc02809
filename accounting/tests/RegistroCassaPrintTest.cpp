#include "accounting/RegistroCassaPrint.h"
#include "accounting/tests/CashBookFixture.h"

namespace vb::accounting {
namespace {

using test::cashRow;

class RegistroCassaPrintTest : public vb::test::AppTest {};

TEST_F(RegistroCassaPrintTest, EveryBookOfTheYearInDateOrderWithOtherKindsAsExpense)
{
    LibroCassa book(*db);
    book.add(cashRow(3, QDate(2026, 5, 2), QStringLiteral("E"), 10000));
    book.add(cashRow(1, QDate(2026, 5, 1), QStringLiteral("U"), 1500));
    book.add(cashRow(1, QDate(2026, 5, 2), QStringLiteral("D"), 200));
    book.add(cashRow(3, QDate(2026, 5, 3), QStringLiteral("G"), 300));
    book.add(cashRow(1, QDate(2025, 5, 3), QStringLiteral("E"), 99900, 2025));
    db->execute(QStringLiteral("INSERT INTO StampaLibroCassa (Data, Tipo, Importo) VALUES ('2000-01-01', 'E', 1)"));

    const RegisterTotals totals = FillStampaLibroCassa(*db, 2026);
    EXPECT_EQ(Money::fromCents(10000), totals.entrate);
    EXPECT_EQ(Money::fromCents(2000), totals.uscite);
    EXPECT_EQ(QStringLiteral("+80,00"), totals.differenza);

    QStringList printed;
    auto q = db->query(QStringLiteral("SELECT Data, Tipo, Importo, ImportoE, ImportoU FROM StampaLibroCassa ORDER BY rowid"));
    while (q.next())
        printed << QStringLiteral("%1 %2 %3 %4 %5").arg(q.text(0), q.text(1)).arg(q.integer(2)).arg(q.integer(3)).arg(q.integer(4));
    EXPECT_EQ((QStringList{"2026-05-01 U 1500 0 1500", "2026-05-02 E 10000 10000 0", "2026-05-02 D 200 0 200",
                           "2026-05-03 G 300 0 300"}),
              printed);
}

TEST_F(RegistroCassaPrintTest, DifferenceTakesTheMinusFormUnlessIncomeIsLarger)
{
    EXPECT_EQ(QStringLiteral("-0,00"), FillStampaLibroCassa(*db, 2026).differenza);
    EXPECT_EQ(0, test::count(*db, QStringLiteral("StampaLibroCassa")));
    EXPECT_EQ(QStringLiteral("-0,00"), registerDifference(Money::fromCents(10 + 20), Money::fromCents(30)));
    EXPECT_EQ(QStringLiteral("-1.234,50"), registerDifference(Money(), Money::fromCents(123450)));
    EXPECT_EQ(QStringLiteral("+0,01"), registerDifference(Money::fromCents(1), Money()));
}

} // namespace
} // namespace vb::accounting
