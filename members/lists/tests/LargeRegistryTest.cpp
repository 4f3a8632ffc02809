#include "members/lists/MemberLists.h"
#include "members/lists/ReportSelections.h"
#include "members/lists/tests/ListsFixture.h"

namespace vb::test {
namespace {

// 100,000 persons (their timings are in the benchmarks), each with a fee of 2025 and, for two in three, one of 2026.
class LargeRegistryTest : public ListsTest {
protected:
    static constexpr int kPersons = 100000;

    LargeRegistryTest()
    {
        db::Transaction tx(*db);
        db->execute(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
            "INSERT INTO TabellaNominativi (NumTessera, DataIscrizione, Cognome, Nome, IL, "
            "AssensoTrattDatiPersonali, AssensoFotoVideoWeb, AssensoMailList, EMail) "
            "SELECT printf('%05d', i), '2020-01-10', 'Cognome' || (i % 997), 'Nome' || i, "
            "printf('%04d-%02d-%02d', 1940 + i % 60, 1 + i % 12, 1 + i % 28), 1, i % 2, 1, 'a@b.it' FROM n"),
            {kPersons});
        db->execute(QStringLiteral(
            "INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
            "SELECT CodNom, NumTessera, '2025-03-01', '2025', 2500, 'Quota sociale' FROM TabellaNominativi"));
        db->execute(QStringLiteral(
            "INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
            "SELECT CodNom, NumTessera, '2026-03-01', '2026', 2500, 'Quota sociale' FROM TabellaNominativi "
            "WHERE CodNom % 3 <> 0"));
        tx.commit();
    }
};

TEST_F(LargeRegistryTest, RewritesAndListsOfALargeRegistryGiveTheRightRows)
{
    const std::pair<const char*, std::function<qsizetype()>> steps[] = {
        {"fee list", [&] { return lists::feeList(*db, 2026).lines.size(); }},
        {"numbered list", [&] { return lists::refillStampaSoci(*db, 2026).lines.size(); }},
        {"birthdays", [&] { return lists::birthdayList(*db, 1, 12, QDate(2026, 12, 9)).lines.size(); }},
        {"good standing", [&] { lists::markSociEffettivi(*db, 2026); return qsizetype(0); }},
        {"lapsed", [&] { lists::markSociDecaduti(*db, 2026); return qsizetype(0); }},
    };
    for (const auto& [name, run] : steps) {
        SCOPED_TRACE(name);
        EXPECT_GE(run(), 0);
    }
    EXPECT_EQ(field(3, QStringLiteral("AddOK")), 0);
    EXPECT_EQ(field(1, QStringLiteral("AddOK")), 3);
}

} // namespace
} // namespace vb::test
