#include "accounting/LibroCassa.h"
#include "accounting/tests/CashBookFixture.h"

namespace vb::accounting {
namespace {

using test::balances;
using test::cashRow;

class LibroCassaTest : public vb::test::AppTest {
protected:
    LibroCassa book{*db};

    qint64 add(int b, QDate d, const char* tipo, qint64 cents, int anno = 2026)
    {
        const std::optional<qint64> id = book.add(cashRow(b, d, QString::fromUtf8(tipo), cents, anno));
        EXPECT_TRUE(id.has_value());
        return id.value_or(0);
    }
};

CashEntry completeEntry()
{
    return {QStringLiteral("09/12/2026"), 1, QStringLiteral("AQS (Quote sociali)"), QStringLiteral("E"),
            QStringLiteral("25,50"), QStringLiteral("2026"), QStringLiteral("Quota")};
}

TEST(CashEntryChecks, RefusesInOrderWithTheirMessages)
{
    struct Case {
        const char* name;
        void (*edit)(CashEntry&);
        Check kind;
        const char* message;
        MsgIcon icon;
    };
    const Case cases[] = {
        {"everything empty", [](CashEntry& e) { e = CashEntry{}; }, Check::Add, "Campo Data obbligatorio! ", MsgIcon::None},
        {"no book", [](CashEntry& e) { e.book.reset(); e.Codice.clear(); }, Check::Add, "Categoria obbligatorio! ", MsgIcon::None},
        {"no code", [](CashEntry& e) { e.Codice.clear(); e.Tipo.clear(); }, Check::Modify, "Codice obbligatorio! ", MsgIcon::None},
        {"no kind", [](CashEntry& e) { e.Tipo.clear(); e.Importo.clear(); }, Check::Add, "Tipo entrata/uscita obbligatorio! ", MsgIcon::None},
        {"no amount", [](CashEntry& e) { e.Importo.clear(); }, Check::Modify, "Campo Importo obbligatorio! ", MsgIcon::None},
        {"zero amount on add", [](CashEntry& e) { e.Importo = QStringLiteral("0,00"); e.Anno.clear(); }, Check::Add,
         "Campo Importo obbligatorio! ", MsgIcon::None},
        {"no year", [](CashEntry& e) { e.Anno.clear(); e.DataEntrata = QStringLiteral("31/02/2026"); }, Check::Add,
         "Campo ANNO obbligatorio! ", MsgIcon::None},
        {"no such date", [](CashEntry& e) { e.DataEntrata = QStringLiteral("31/02/2026"); }, Check::Add,
         "Data non valida! Scrivere la data nel formato gg/mm/aaaa. ", MsgIcon::Exclamation},
        {"amount not a number", [](CashEntry& e) { e.Importo = QStringLiteral("dieci"); }, Check::Add,
         "Importo non valido! Scrivere l'importo in cifre, ad esempio 1.234,50 ", MsgIcon::Exclamation},
        {"negative amount", [](CashEntry& e) { e.Importo = QStringLiteral("-5"); }, Check::Modify,
         "L'importo non può essere negativo! ", MsgIcon::Exclamation},
        {"year not a number", [](CashEntry& e) { e.Anno = QStringLiteral("duemila"); }, Check::Add,
         "L'anno deve essere un numero intero! ", MsgIcon::Exclamation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CashEntry e = completeEntry();
        c.edit(e);
        const auto result = checkEntry(c.kind, e);
        ASSERT_TRUE(std::holds_alternative<Refusal>(result));
        EXPECT_EQ(QString::fromUtf8(c.message), std::get<Refusal>(result).text);
        EXPECT_EQ(c.icon, std::get<Refusal>(result).icon);
    }
}

TEST(CashEntryChecks, ZeroAmountPassesOnModifyAndEmptyNoteBecomesNil)
{
    CashEntry e = completeEntry();
    e.Importo = QStringLiteral("0");
    e.Note.clear();
    const auto result = checkEntry(Check::Modify, e);
    ASSERT_TRUE(std::holds_alternative<CashRow>(result));
    const CashRow& row = std::get<CashRow>(result);
    EXPECT_EQ(QStringLiteral("NIL"), row.descrizione);
    EXPECT_EQ(QStringLiteral("AQS"), row.codice);
    EXPECT_EQ(Money(), row.importo);
    EXPECT_EQ(QDate(2026, 12, 9), row.data);

    e.Importo = QStringLiteral("1.234,5");
    const auto added = checkEntry(Check::Add, e);
    ASSERT_TRUE(std::holds_alternative<CashRow>(added));
    EXPECT_EQ(Money::fromCents(123450), std::get<CashRow>(added).importo);
}

TEST_F(LibroCassaTest, FirstIncomeThenExpenseGiveTheirBalances)
{
    add(1, QDate(2026, 3, 1), "E", 10000);
    EXPECT_EQ((std::vector<qint64>{10000}), balances(*db, 1));
    add(1, QDate(2026, 3, 2), "U", 4000);
    EXPECT_EQ((std::vector<qint64>{10000, 6000}), balances(*db, 1));
}

TEST_F(LibroCassaTest, EarlierDatedRowMovesEveryLaterBalanceAndEqualDatesGoByKey)
{
    add(1, QDate(2026, 3, 10), "E", 10000);
    add(1, QDate(2026, 3, 20), "U", 3000);
    add(1, QDate(2026, 3, 1), "E", 500);
    EXPECT_EQ((std::vector<qint64>{500, 10500, 7500}), balances(*db, 1));

    // Same date: the older key comes first whatever was entered in between.
    const qint64 first = add(1, QDate(2026, 3, 20), "U", 7500);
    EXPECT_EQ((std::vector<qint64>{500, 10500, 7500, 0}), balances(*db, 1));
    auto q = db->query(QStringLiteral("SELECT Saldo FROM LibroCassa WHERE ID_LibroCassa = ?"), {first});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(0, q.integer(0));
}

TEST_F(LibroCassaTest, OtherKindsCarryTheBalanceOnEvenFromAnEmptyOne)
{
    add(1, QDate(2026, 1, 1), "E", 10000);
    add(1, QDate(2026, 1, 2), "D", 999);
    add(1, QDate(2026, 1, 3), "G", 888);
    add(1, QDate(2026, 1, 4), "U", 2500);
    EXPECT_EQ((std::vector<qint64>{10000, 10000, 10000, 7500}), balances(*db, 1));

    // A row written elsewhere with no balance and a lower-case kind moves nothing either.
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Data, Anno, CodiceTestataCassa, CodiceCategoria, Tipo, Importo)"
                               " VALUES ('2026-01-02', 2026, 1, 'AQS', 'e', 5000)"));
    book.RecomputeSaldo(1, 2026);
    EXPECT_EQ((std::vector<qint64>{10000, 10000, 10000, 10000, 7500}), balances(*db, 1));
}

TEST_F(LibroCassaTest, NewYearStartsFromZeroAndOnlyTheBookYearIsTouched)
{
    db->execute(QStringLiteral("UPDATE TestateLibroCassa SET SaldoAnno = 123400"));
    add(1, QDate(2025, 12, 31), "E", 90000, 2025);
    add(3, QDate(2026, 1, 5), "E", 7000);
    add(1, QDate(2026, 1, 5), "U", 1000);
    EXPECT_EQ((std::vector<qint64>{-1000}), balances(*db, 1));
    EXPECT_EQ((std::vector<qint64>{90000}), balances(*db, 1, 2025));
    EXPECT_EQ((std::vector<qint64>{7000}), balances(*db, 3));

    // Spoil every balance; a recomputation of book 1 in 2026 rewrites just its one row.
    db->execute(QStringLiteral("UPDATE LibroCassa SET Saldo = NULL"));
    EXPECT_EQ(1, book.RecomputeSaldo(1, 2026));
    EXPECT_EQ(0, book.RecomputeSaldo(1, 2026));
    EXPECT_EQ((std::vector<qint64>{-1}), balances(*db, 1, 2025));
    EXPECT_EQ((std::vector<qint64>{-1}), balances(*db, 3));
}

TEST_F(LibroCassaTest, ClosedYearTakesNoRowAndClosedRowsStay)
{
    const qint64 id = add(1, QDate(2025, 6, 1), "E", 10000, 2025);
    test::closeYear(*db, 1, 2025);

    EXPECT_EQ(std::nullopt, book.add(cashRow(1, QDate(2025, 6, 2), QStringLiteral("E"), 100, 2025)));
    EXPECT_EQ(LibroCassa::Outcome::Closed, book.modify(id, cashRow(1, QDate(2025, 6, 1), QStringLiteral("U"), 1, 2025)));
    EXPECT_EQ(LibroCassa::Outcome::Closed, book.remove(id));
    EXPECT_EQ(LibroCassa::Outcome::Missing, book.remove(id + 100));
    auto q = db->query(QStringLiteral("SELECT COUNT(*), MIN(Tipo), MIN(Importo) FROM LibroCassa"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(1, q.integer(0));
    EXPECT_EQ(QStringLiteral("E"), q.text(1));
    EXPECT_EQ(10000, q.integer(2));

    // The other book of that year is open.
    EXPECT_TRUE(book.add(cashRow(3, QDate(2025, 6, 2), QStringLiteral("E"), 100, 2025)).has_value());
}

TEST_F(LibroCassaTest, ModifyKeepsTheYearAndRecomputesBothBooks)
{
    add(1, QDate(2026, 2, 1), "E", 10000);
    const qint64 moved = add(1, QDate(2026, 2, 2), "E", 5000);
    add(1, QDate(2026, 2, 3), "U", 1000);
    add(3, QDate(2026, 2, 1), "E", 2000);

    CashRow row = cashRow(3, QDate(2027, 1, 15), QStringLiteral("U"), 500, 2027, QStringLiteral("ABC"));
    row.descrizione = QStringLiteral("Spostata");
    EXPECT_EQ(LibroCassa::Outcome::Done, book.modify(moved, row));

    auto q = db->query(QStringLiteral("SELECT Anno, Data, CodiceTestataCassa, Tipo, Importo, CodiceCategoria,"
                                      " Descrizione FROM LibroCassa WHERE ID_LibroCassa = ?"),
                       {moved});
    ASSERT_TRUE(q.next());
    EXPECT_EQ(2026, q.integer(0));
    EXPECT_EQ(QStringLiteral("2027-01-15"), q.text(1));
    EXPECT_EQ(3, q.integer(2));
    EXPECT_EQ(QStringLiteral("U"), q.text(3));
    EXPECT_EQ(500, q.integer(4));
    EXPECT_EQ(QStringLiteral("ABC"), q.text(5));
    EXPECT_EQ(QStringLiteral("Spostata"), q.text(6));
    EXPECT_EQ((std::vector<qint64>{10000, 9000}), balances(*db, 1));
    EXPECT_EQ((std::vector<qint64>{2000, 1500}), balances(*db, 3));
}

TEST_F(LibroCassaTest, DeleteRecomputesTheLaterBalances)
{
    add(1, QDate(2026, 4, 1), "E", 10000);
    const qint64 gone = add(1, QDate(2026, 4, 2), "U", 3000);
    add(1, QDate(2026, 4, 3), "U", 1000);
    EXPECT_EQ(LibroCassa::Outcome::Done, book.remove(gone));
    EXPECT_EQ((std::vector<qint64>{10000, 9000}), balances(*db, 1));
}

TEST_F(LibroCassaTest, FailedRecomputationWritesNothing)
{
    add(1, QDate(2026, 4, 1), "E", 10000);
    db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF Saldo ON LibroCassa"
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_THROW(book.add(cashRow(1, QDate(2026, 3, 1), QStringLiteral("E"), 500)), db::Error);
    EXPECT_EQ(1, test::count(*db, QStringLiteral("LibroCassa")));
    EXPECT_FALSE(db->inTransaction());
}

TEST_F(LibroCassaTest, GridListsByMonthCodeAndOrderWithExactTotals)
{
    add(1, QDate(2026, 1, 31), "E", 10);
    add(1, QDate(2026, 2, 1), "E", 20);
    add(1, QDate(2026, 2, 2), "U", 30);
    add(1, QDate(2026, 2, 3), "G", 4000);
    book.add(cashRow(1, QDate(2026, 2, 4), QStringLiteral("U"), 70, 2026, QStringLiteral("SPE")));
    add(3, QDate(2026, 2, 1), "E", 999);

    GridRows all = book.rows({1, 2026, 0, QString(), false});
    ASSERT_EQ(5u, all.rows.size());
    EXPECT_EQ(QStringLiteral("2026-01-31"), all.rows.front().data);
    EXPECT_EQ(Money::fromCents(30), all.entrate);
    EXPECT_EQ(Money::fromCents(100), all.uscite);
    EXPECT_EQ(QStringLiteral("€ -0,70"), gridDifference(all.entrate, all.uscite));

    GridRows february = book.rows({1, 2026, 2, QString(), true});
    ASSERT_EQ(4u, february.rows.size());
    EXPECT_EQ(QStringLiteral("2026-02-04"), february.rows.front().data);
    EXPECT_EQ(Money::fromCents(20), february.entrate);

    GridRows aqs = book.rows({1, 2026, 0, QStringLiteral("AQS (Quote sociali)"), false});
    EXPECT_EQ(4u, aqs.rows.size());
    EXPECT_EQ(Money::fromCents(30), aqs.uscite);
    EXPECT_EQ(QStringLiteral("€ -0,00"), gridDifference(aqs.entrate, aqs.uscite));
    EXPECT_EQ(QStringLiteral("€ 0,05"), gridDifference(Money::fromCents(35), Money::fromCents(30)));
}

} // namespace
} // namespace vb::accounting
