#include "members/lists/ReportSelections.h"

#include "members/lists/tests/ListsFixture.h"

#include <functional>
#include <string>

namespace vb::test {
namespace {

class ReportSelectionsTest : public ListsTest {
protected:
    qint64 validateOf(qint64 codNom, const QString& anno)
    {
        auto st = db->query(QStringLiteral("SELECT Validate FROM RegistroQuoteSoci WHERE CodNom = ? AND Anno = ?"),
                            {codNom, anno});
        return st.next() ? st.integer(0) : -1;
    }
};

TEST_F(ReportSelectionsTest, MembersInGoodStandingArePayersOfANonZeroFeeOfTheYear)
{
    const auto paid = addPerson({QStringLiteral("Alfa"), QStringLiteral("A")});
    const auto zero = addPerson({QStringLiteral("Beta"), QStringLiteral("B")});
    const auto lastYear = addPerson({QStringLiteral("Gamma"), QStringLiteral("C")});
    const auto stale = addPerson({QStringLiteral("Delta"), QStringLiteral("D")});
    addFee(paid, QStringLiteral("2026"), 2500);
    addFee(zero, QStringLiteral("2026"), 0);
    addFee(lastYear, QStringLiteral("2025"), 2500);
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 2 WHERE CodNom = ?"), {stale});

    lists::markSociEffettivi(*db, 2026);

    EXPECT_EQ(field(paid, QStringLiteral("AddOK")), 3);
    EXPECT_EQ(field(zero, QStringLiteral("AddOK")), 0);
    EXPECT_EQ(field(lastYear, QStringLiteral("AddOK")), 0);
    EXPECT_EQ(field(stale, QStringLiteral("AddOK")), 0);
}

TEST_F(ReportSelectionsTest, LapsedMembersPaidLastYearNotThisYearAndGaveAConsent)
{
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, qint64>> fees; // year, cents
        bool anyConsent;
        qint64 lastYearValidate;
    };
    const Case cases[] = {
        {"lapsed", {{"2025", 2500}}, true, 1},
        {"renewed", {{"2025", 2500}, {"2026", 2500}}, true, 0},
        {"renewed with a zero fee", {{"2025", 2500}, {"2026", 0}}, true, 0},
        {"paid nothing last year", {{"2025", 0}}, true, 0},
        {"no consent at all", {{"2025", 2500}}, false, 0},
    };
    std::vector<qint64> ids;
    for (const auto& c : cases) {
        Person p{QString::fromUtf8(c.name), QStringLiteral("X")};
        p.datiPersonali = p.mailList = c.anyConsent;
        p.fotoVideo = false;
        ids.push_back(addPerson(p));
        for (const auto& [year, cents] : c.fees)
            addFee(ids.back(), QString::fromUtf8(year), cents);
    }
    const auto older = addPerson({QStringLiteral("Older"), QStringLiteral("X")});
    addFee(older, QStringLiteral("2024"), 2500);
    db->execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1"));

    lists::markSociDecaduti(*db, 2026);

    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(validateOf(ids[i], QStringLiteral("2025")), cases[i].lastYearValidate);
    }
    EXPECT_EQ(validateOf(ids[1], QStringLiteral("2026")), 0);
    EXPECT_EQ(validateOf(older, QStringLiteral("2024")), 0);
}

} // namespace
} // namespace vb::test

namespace vb::test {
namespace {

// Writing only the rows whose flag changes leaves the same flags as clearing every row
// and marking the selected ones, whatever the flags held before; run again, each writes
// nothing.
TEST_F(ReportSelectionsTest, MarkingsWriteOnlyChangedFlagsWithTheResultOfAFullRewrite)
{
    addVariedRegistry(2026);
    const std::pair<const char*, std::function<int(int)>> markings[] = {
        {"good standing", [&](int year) { return lists::markSociEffettivi(*db, year); }},
        {"lapsed", [&](int year) { return lists::markSociDecaduti(*db, year); }},
    };
    const auto fullRewrite = [&](const char* marking, int year) {
        const QString thisYear = QString::number(year), lastYear = QString::number(year - 1);
        if (QString::fromLatin1(marking) == QStringLiteral("good standing")) {
            db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 0"));
            db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 3 WHERE CodNom IN "
                                       "(SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND QuotaVers <> 0)"),
                        {thisYear});
            return;
        }
        db->execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0"));
        db->execute(QStringLiteral(
            "UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0 "
            "AND CodNom NOT IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND CodNom IS NOT NULL) "
            "AND CodNom NOT IN (SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
            "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0)"),
            {lastYear, thisYear});
    };
    for (const int year : {2026, 2025, 2026}) {
        for (const auto& [name, mark] : markings) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(year));
            QStringList expected;
            {
                db::Transaction undo(*db); // rolled back
                fullRewrite(name, year);
                expected = marks();
            }
            EXPECT_GT(mark(year), 0);
            EXPECT_EQ(marks(), expected);
            EXPECT_EQ(mark(year), 0);
        }
    }
}

} // namespace
} // namespace vb::test
