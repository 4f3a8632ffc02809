#include "accounting/Codici.h"
#include "accounting/tests/CashBookFixture.h"

namespace vb::accounting {
namespace {

class CodiciTest : public vb::test::AppTest {
protected:
    Codici codici{*db};
};

TEST_F(CodiciTest, AddRefusesBadCodesKindsAndDuplicates)
{
    struct Case {
        const char* codice;
        const char* descrizione;
        const char* kind;
        QString message;
    };
    const Case cases[] = {
        {"", "Vuoto", "1", kCodeLengthMessage},
        {"AB", "Corto", "1", kCodeLengthMessage},
        {"ABCD", "Lungo", "2", kCodeLengthMessage},
        {"A C", "Spazio", "2", kCodeLengthMessage},
        {"SPE", "", "2", kCodeDescriptionMessage},
        {"SPE", "Spese", "", kCodeKindMessage},
        {"SPE", "Spese", "0", kCodeKindMessage},
        {"SPE", "Spese", "3", kCodeKindMessage},
        {"aqs", "Doppione", "1", kCodeExistsMessage},
        {"spe", "Spese varie", "2", QString()},
        {"SPE", "Ancora", "2", kCodeExistsMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codice);
        EXPECT_EQ(c.message, codici.add(QString::fromUtf8(c.codice), QString::fromUtf8(c.descrizione),
                                        QString::fromUtf8(c.kind)));
    }
    const std::vector<Codice> all = codici.all();
    ASSERT_EQ(2u, all.size());
    EXPECT_EQ(QStringLiteral("SPE"), all[1].codice);
    EXPECT_EQ(QStringLiteral("Spese varie"), all[1].descrizione);
    EXPECT_EQ(2, all[1].attivitaPassivita);
    EXPECT_EQ(QStringLiteral("SPE (Spese varie)"), codeItem(all[1]));
    EXPECT_EQ(1u, codici.ofKind(2).size());
    EXPECT_EQ(0u, codici.ofKind(0).size());
}

TEST_F(CodiciTest, FeeCodeIsNeverChangedOrDeleted)
{
    EXPECT_EQ(kCodeReservedMessage, codici.modify(QStringLiteral("AQS"), QStringLiteral("AQS"),
                                                  QStringLiteral("Altro"), QStringLiteral("1")));
    EXPECT_EQ(kCodeReservedMessage, codici.remove(QStringLiteral("AQS")));
    ASSERT_EQ(QString(), codici.add(QStringLiteral("ALT"), QStringLiteral("Altre entrate"), QStringLiteral("1")));
    EXPECT_EQ(kCodeExistsMessage, codici.modify(QStringLiteral("ALT"), QStringLiteral("AQS"),
                                                QStringLiteral("Altre"), QStringLiteral("1")));
    EXPECT_EQ(QStringLiteral("Quote sociali"), codici.descrizione(QStringLiteral("AQS")));
    EXPECT_EQ(1, codici.ofKind(1).front().attivitaPassivita);
}

TEST_F(CodiciTest, CodeInUseIsNeitherDeletedNorRenamed)
{
    ASSERT_EQ(QString(), codici.add(QStringLiteral("SPE"), QStringLiteral("Spese"), QStringLiteral("2")));
    ASSERT_EQ(QString(), codici.add(QStringLiteral("FIT"), QStringLiteral("Affitto"), QStringLiteral("2")));
    LibroCassa(*db).add(test::cashRow(1, QDate(2026, 5, 1), QStringLiteral("U"), 100, 2026, QStringLiteral("SPE")));

    EXPECT_EQ(kCodeInUseMessage, codici.remove(QStringLiteral("SPE")));
    EXPECT_EQ(kCodeRenameInUseMessage,
              codici.modify(QStringLiteral("SPE"), QStringLiteral("SPX"), QStringLiteral("Spese"), QStringLiteral("2")));
    EXPECT_EQ(QString(), codici.modify(QStringLiteral("SPE"), QStringLiteral("spe"), QStringLiteral("Spese generali"),
                                       QStringLiteral("2")));
    EXPECT_EQ(QStringLiteral("Spese generali"), codici.descrizione(QStringLiteral("SPE")));

    EXPECT_EQ(QString(), codici.modify(QStringLiteral("FIT"), QStringLiteral("AFF"), QStringLiteral("Affitto sede"),
                                       QStringLiteral("2")));
    EXPECT_EQ(QString(), codici.remove(QStringLiteral("AFF")));
    EXPECT_EQ(2u, codici.all().size());
    auto q = db->query(QStringLiteral("SELECT DataIns FROM TabellaCodici WHERE Codice = 'SPE'"));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(QStringLiteral("2026-12-09"), q.text(0));
}

} // namespace
} // namespace vb::accounting
