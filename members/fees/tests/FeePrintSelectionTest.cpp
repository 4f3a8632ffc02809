#include "members/fees/FeePrintSelection.h"
#include "members/fees/tests/FeeFixture.h"

#include <string>
#include <utility>
#include <vector>

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
    // Every fee row's key and flag as stored.
    std::vector<std::pair<qint64, QString>> flags()
    {
        std::vector<std::pair<qint64, QString>> out;
        auto st = db->query(QStringLiteral("SELECT IDRegistro, quote(Validate) FROM RegistroQuoteSoci ORDER BY IDRegistro"));
        while (st.next())
            out.emplace_back(st.integer(0), st.text(1));
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
        markFeesForPrint(*db, c.s, 2026);
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

    markFeesForPrint(*db, {SelectionMode::Unpaid, QStringLiteral("2026"), 0, {}}, 2030);
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

// Clearing every flag, then setting the selected ones (for the unpaid list: last year's
// non-zero fees, less the renewed, less those without any consent), one statement each.
void rewriteEveryFlag(db::Database& db, const FeeSelection& s, int currentYear)
{
    const QString y0 = QString::number(currentYear);
    db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0"));
    const QString paid = QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0");
    switch (s.mode) {
    case SelectionMode::None: db.execute(paid, {y0}); break;
    case SelectionMode::Year: db.execute(paid, {s.year}); break;
    case SelectionMode::Person:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE CodNom = ?"), {s.codNom});
        break;
    case SelectionMode::Unpaid: {
        const int y = s.year.toInt();
        db.execute(paid, {QString::number(y - 1)});
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Anno = ? AND CodNom IN "
                                  "(SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ?)"),
                   {QString::number(y - 1), QString::number(y)});
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Validate = 1 AND CodNom IN "
                                  "(SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
                                  "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0)"));
        break;
    }
    case SelectionMode::MemberType:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND CodNom IN "
                                  "(SELECT CodNom FROM TabellaNominativi WHERE TipoSocio = ?)"),
                   {y0, s.tipoSocio});
        break;
    }
}

// Writing only the rows whose flag changes leaves the flags that rewriting every row
// leaves, whatever they held before; a second run writes nothing.
TEST_F(FeePrintSelectionTest, WritesOnlyChangedFlagsWithTheResultOfARewriteOfEveryRow)
{
    // Persons of two member types with every mix of consents; fees of this year, last year
    // and before, zero fees, a person's second fee of a year, fees without a person and
    // without a year.
    std::vector<qint64> persons;
    for (int i = 0; i < 24; ++i) {
        const qint64 p = addPerson(QStringLiteral("Socio%1").arg(i), QStringLiteral("N"),
                                   i % 3 ? QStringLiteral("ORDINARI") : QStringLiteral("onorari"), 3, QStringLiteral("12"),
                                   i % 2 == 0);
        db->execute(QStringLiteral("UPDATE TabellaNominativi SET AssensoFotoVideoWeb = ?, AssensoMailList = ? "
                                   "WHERE CodNom = ?"),
                    {i % 4 == 1, i % 8 == 3, p});
        persons.push_back(p);
        const char* years[] = {"2026", "2025", "2024"};
        addFee(p, QString::fromLatin1(years[i % 3]), i % 5 ? 2500 : 0);
        if (i % 4 == 0)
            addFee(p, QString::fromLatin1(years[(i / 4) % 3]), i % 7 ? 1000 : 0);
    }
    for (const char* year : {"2025", "2026"})
        db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, Anno, QuotaVers) VALUES (NULL, ?, 2500)"),
                    {QString::fromLatin1(year)});
    db->execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, Anno, QuotaVers) VALUES (?, NULL, 2500)"),
                {persons[1]});

    const struct { const char* name; FeeSelection s; } cases[] = {
        {"nothing picked", {SelectionMode::None, {}, 0, {}}},
        {"year", {SelectionMode::Year, QStringLiteral("2025"), 0, {}}},
        {"year nobody paid", {SelectionMode::Year, QStringLiteral("1999"), 0, {}}},
        {"person", {SelectionMode::Person, {}, persons[4], {}}},
        {"no such person", {SelectionMode::Person, {}, 0, {}}},
        {"unpaid", {SelectionMode::Unpaid, QStringLiteral("2026"), 0, {}}},
        {"unpaid of a year with fees without a person", {SelectionMode::Unpaid, QStringLiteral("2025"), 0, {}}},
        {"member type", {SelectionMode::MemberType, {}, 0, QStringLiteral("ONORARI")}},
    };
    const QString stale = QStringLiteral(
        "UPDATE RegistroQuoteSoci SET Validate = CASE (IDRegistro + ?) % 5 WHEN 0 THEN 0 WHEN 1 THEN 1 WHEN 2 THEN 2 "
        "WHEN 3 THEN -1 ELSE 'x' END");
    for (const int shift : {0, 2}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (shift ? ", other stale flags" : ""));
            db->execute(stale, {shift});
            const std::vector<std::pair<qint64, QString>> before = flags();
            std::vector<std::pair<qint64, QString>> expected;
            {
                db::Transaction undone(*db);
                rewriteEveryFlag(*db, c.s, 2026);
                expected = flags();
            }
            int changing = 0;
            for (size_t i = 0; i < before.size(); ++i)
                changing += before[i] != expected[i];
            EXPECT_EQ(markFeesForPrint(*db, c.s, 2026), changing);
            EXPECT_EQ(flags(), expected);
            EXPECT_EQ(markFeesForPrint(*db, c.s, 2026), 0);
        }
    }
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
