#include "members/fees/PostQuotaToLibroCassa.h"
#include "members/fees/tests/FeeFixture.h"

namespace vb::fees {
namespace {

class PostQuotaTest : public test::FeeFixture {
protected:
    QuotaPosting fee(PaymentKind kind, const QString& anno, QDate data, qint64 cents)
    {
        return {kind, data, anno, Money::fromCents(cents), QStringLiteral("Rossi"), QStringLiteral("Mario"),
                QStringLiteral("00012")};
    }
    void addCashRow(int book, int anno, const QString& isoDate, std::optional<qint64> saldo)
    {
        db->execute(QStringLiteral("INSERT INTO LibroCassa (Data, Anno, CodiceTestataCassa, CodiceCategoria, Tipo, "
                                   "Importo, Saldo) VALUES (?, ?, ?, 'AQS', 'E', 100, ?)"),
                    {isoDate, anno, book,
                     saldo ? db::Param(Money::fromCents(*saldo)) : db::Param(nullptr)});
    }
    std::optional<qint64> saldoOf(qint64 id)
    {
        auto st = db->query(QStringLiteral("SELECT Saldo FROM LibroCassa WHERE ID_LibroCassa = ?"), {id});
        st.next();
        if (st.isNull(0))
            return std::nullopt;
        return st.integer(0);
    }
};

TEST_F(PostQuotaTest, FirstFeeOfBookAndYearWritesTheRowAsDescribed)
{
    const struct { PaymentKind kind; int book; const char* description; } kinds[] = {
        {PaymentKind::Contanti, 1, "Quota sociale 2026 (Contanti) - Rossi Mario Tess. n. 00012"},
        {PaymentKind::Bonifico, 3, "Quota sociale 2026 (Bonifico) - Rossi Mario Tess. n. 00012"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.book);
        const qint64 id = PostQuotaToLibroCassa(*db, fee(k.kind, QStringLiteral("2026"), QDate(2026, 12, 9), 2500));
        auto st = db->query(QStringLiteral("SELECT Data, CodiceTestataCassa, CodiceCategoria, Tipo, Importo, Saldo, "
                                           "Descrizione, Anno, RicevutaNumero, ChiusuraAnno FROM LibroCassa "
                                           "WHERE ID_LibroCassa = ?"),
                            {id});
        ASSERT_TRUE(st.next());
        EXPECT_EQ(st.text(QStringLiteral("Data")), QStringLiteral("2026-12-09"));
        EXPECT_EQ(st.integer(QStringLiteral("CodiceTestataCassa")), k.book);
        EXPECT_EQ(st.text(QStringLiteral("CodiceCategoria")), QStringLiteral("AQS"));
        EXPECT_EQ(st.text(QStringLiteral("Tipo")), QStringLiteral("E"));
        EXPECT_EQ(st.integer(QStringLiteral("Importo")), 2500);
        EXPECT_EQ(st.integer(QStringLiteral("Saldo")), 2500);
        EXPECT_EQ(st.text(QStringLiteral("Descrizione")), QString::fromUtf8(k.description));
        EXPECT_EQ(st.integer(QStringLiteral("Anno")), 2026);
        EXPECT_TRUE(st.isNull(QStringLiteral("RicevutaNumero")));
        EXPECT_EQ(st.integer(QStringLiteral("ChiusuraAnno")), 0);
    }
}

TEST_F(PostQuotaTest, BalanceComesFromTheLastRowOfTheFeeYearInTheSameBook)
{
    addCashRow(1, 2027, QStringLiteral("2027-01-05"), 1000);
    addCashRow(1, 2027, QStringLiteral("2027-02-01"), 4000); // same day as the next: order of entry decides
    addCashRow(1, 2027, QStringLiteral("2027-02-01"), 5000);
    addCashRow(1, 2027, QStringLiteral("2027-01-20"), 9000);
    addCashRow(1, 2026, QStringLiteral("2026-12-31"), 777);
    addCashRow(3, 2027, QStringLiteral("2027-03-01"), 888);

    // A 2027 fee paid in 2026: balance of the 2027 rows, filed under 2026.
    const qint64 id = PostQuotaToLibroCassa(*db, fee(PaymentKind::Contanti, QStringLiteral("2027"), QDate(2026, 12, 9), 250));
    EXPECT_EQ(saldoOf(id), std::optional<qint64>(5250));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Anno FROM LibroCassa WHERE ID_LibroCassa = ?"), {id}), 2026);
}

TEST_F(PostQuotaTest, EmptyRetainedBalanceGivesEmptyBalance)
{
    addCashRow(3, 2026, QStringLiteral("2026-05-01"), std::nullopt);
    const qint64 id = PostQuotaToLibroCassa(*db, fee(PaymentKind::Bonifico, QStringLiteral("2026"), QDate(2026, 6, 1), 250));
    EXPECT_EQ(saldoOf(id), std::nullopt);
}

TEST_F(PostQuotaTest, FeeYearThatIsNotANumberWritesNothing)
{
    EXPECT_THROW(PostQuotaToLibroCassa(*db, fee(PaymentKind::Contanti, QStringLiteral("20x6"), QDate(2026, 6, 1), 250)),
                 Error);
    EXPECT_THROW(PostQuotaToLibroCassa(*db, fee(PaymentKind::Contanti, QStringLiteral("2026"), QDate(), 250)), Error);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM LibroCassa")), 0);
}

} // namespace
} // namespace vb::fees
