#include "members/fees/FeePrintSelection.h"
#include "members/fees/tests/FeeFixture.h"

namespace vb::fees {
namespace {

class FeePrintSelectionTest : public test::FeeFixture {
protected:
    // The flagged fee keys, in key order.
    std::vector<qint64> flagged()
    {
        std::vector<qint64> out;
        auto st = db->query(QStringLiteral("SELECT IDRegistro FROM RegistroQuoteSoci WHERE Validate = 1 ORDER BY IDRegistro"));
        while (st.next())
            out.push_back(st.integer(0));
        return out;
    }
};

TEST_F(FeePrintSelectionTest, EachModeFlagsItsRowsOnly)
{
    const qint64 rossi = addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario"));
    const qint64 neri = addPerson(QStringLiteral("Neri"), QStringLiteral("Ugo"), QStringLiteral("onorari"), 5);
    const qint64 r25 = addFee(rossi, QStringLiteral("2025"), 2000);
    const qint64 r26 = addFee(rossi, QStringLiteral("2026"), 2000);
    const qint64 r26zero = addFee(rossi, QStringLiteral("2026"), 0);
    const qint64 n26 = addFee(neri, QStringLiteral("2026"), 1500);
    const qint64 n25 = addFee(neri, QStringLiteral("2025"), 1500);

    const struct { const char* name; FeeSelection s; std::vector<qint64> rows; } cases[] = {
        {"nothing picked: current year, non-zero", {SelectionMode::None, {}, 0, {}}, {r26, n26}},
        {"year", {SelectionMode::Year, QStringLiteral("2025"), 0, {}}, {r25, n25}},
        {"person: every row", {SelectionMode::Person, {}, rossi, {}}, {r25, r26, r26zero}},
        {"member type, any case, current year", {SelectionMode::MemberType, {}, 0, QStringLiteral("ONORARI")}, {n26}},
        {"year nobody paid", {SelectionMode::Year, QStringLiteral("1999"), 0, {}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(markFeesForPrint(*db, c.s, 2026), int(c.rows.size()));
        EXPECT_EQ(flagged(), c.rows);
    }
}

TEST_F(FeePrintSelectionTest, UnpaidListsLastYearsPayersWithoutFeeThisYearAndWithConsent)
{
    const qint64 lapsed = addPerson(QStringLiteral("Lapsed"), QStringLiteral("A"));
    const qint64 zeroRowThisYear = addPerson(QStringLiteral("ZeroRow"), QStringLiteral("B"));
    const qint64 noConsent = addPerson(QStringLiteral("NoConsent"), QStringLiteral("C"), QStringLiteral("ORDINARI"), 3,
                                       QStringLiteral("1"), false);
    const qint64 zeroLastYear = addPerson(QStringLiteral("ZeroLast"), QStringLiteral("D"));
    const qint64 paidBoth = addPerson(QStringLiteral("PaidBoth"), QStringLiteral("E"));
    const qint64 mailOnly = addPerson(QStringLiteral("MailOnly"), QStringLiteral("F"), QStringLiteral("ORDINARI"), 3,
                                      QStringLiteral("1"), false);
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET AssensoMailList = 1 WHERE CodNom = ?"), {mailOnly});

    const qint64 lapsedFee = addFee(lapsed, QStringLiteral("2025"), 2000);
    addFee(lapsed, QStringLiteral("2024"), 2000);
    addFee(zeroRowThisYear, QStringLiteral("2025"), 2000);
    addFee(zeroRowThisYear, QStringLiteral("2026"), 0);
    addFee(noConsent, QStringLiteral("2025"), 2000);
    addFee(zeroLastYear, QStringLiteral("2025"), 0);
    addFee(paidBoth, QStringLiteral("2025"), 2000);
    addFee(paidBoth, QStringLiteral("2026"), 2000);
    const qint64 mailFee = addFee(mailOnly, QStringLiteral("2025"), 2000);

    EXPECT_EQ(markFeesForPrint(*db, {SelectionMode::Unpaid, QStringLiteral("2026"), 0, {}}, 2030), 2);
    EXPECT_EQ(flagged(), (std::vector<qint64>{lapsedFee, mailFee}));
}

TEST_F(FeePrintSelectionTest, UnpaidYearThatIsNotANumberLeavesTheFlags)
{
    const qint64 fee = addFee(addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario")), QStringLiteral("2026"), 100);
    markFeesForPrint(*db, {}, 2026);
    const FeeSelection bad{SelectionMode::Unpaid, QStringLiteral("duemila"), 0, {}};
    EXPECT_FALSE(checkSelection(bad).isEmpty());
    EXPECT_THROW(markFeesForPrint(*db, bad, 2026), Error);
    EXPECT_EQ(flagged(), std::vector<qint64>{fee});
}

TEST(FeePrintCaption, TextPerMode)
{
    const QDate today(2026, 12, 9);
    const struct { SelectionMode mode; const char* picker; const char* caption; } cases[] = {
        {SelectionMode::None, "", ""},
        {SelectionMode::Year, "2025", "Estrazione versamenti Soci anno: 2025"},
        {SelectionMode::Person, "ROSSI MARIO  - REG. NUM.0001", "Estrazione per nominativo"},
        {SelectionMode::Unpaid, "2026", "Versamenti non effettuati nell'anno: 2026 (alla data del 09/12/2026)"},
        {SelectionMode::MemberType, "ORDINARI", "Tipo Socio: ORDINARI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        FeeSelection s;
        s.mode = c.mode;
        EXPECT_EQ(selectionCaption(s, QString::fromUtf8(c.picker), today), QString::fromUtf8(c.caption));
    }
}

} // namespace
} // namespace vb::fees
