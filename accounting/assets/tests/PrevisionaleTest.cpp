#include "accounting/assets/Previsionale.h"

#include "tests/support/TestSupport.h"

namespace vb::assets {
namespace {

class PrevisionaleTest : public test::AppTest {
protected:
    qint64 addLine(const char* anno, const char* descrizione, int codice, qint64 cents)
    {
        const auto id = RegistroPrevisionale(*db).add(
            {0, QString::fromUtf8(anno), QString::fromUtf8(descrizione), codice, Money::fromCents(cents)});
        EXPECT_TRUE(id);
        return id.value_or(0);
    }
};

TEST_F(PrevisionaleTest, KindNamesAndCodes)
{
    const struct { const char* text; int code; } cases[] = {
        {"Attività", 1}, {"Passività", 2}, {"Attivita", 0}, {"", 0}, {"attività", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.code, kindCode(QString::fromUtf8(c.text)));
    }
    EXPECT_EQ(QStringLiteral("Passività"), kindName(2));
}

TEST_F(PrevisionaleTest, SameItemTextTwiceInOneYearIsRefused)
{
    RegistroPrevisionale registro(*db);
    addLine("2026", "Quote sociali", 1, 150000);
    // Another kind does not make it a different line; the text is compared as stored, quotes included.
    EXPECT_FALSE(registro.add({0, QStringLiteral("2026"), QStringLiteral("Quote sociali"), 2, Money::fromEuro(5)}));
    EXPECT_TRUE(registro.add({0, QStringLiteral("2027"), QStringLiteral("Quote sociali"), 1, Money::fromEuro(5)}));
    EXPECT_TRUE(registro.add({0, QStringLiteral("2026"), QStringLiteral("Spese d'ufficio"), 2, Money::fromEuro(5)}));
    EXPECT_FALSE(registro.add({0, QStringLiteral("2026"), QStringLiteral("Spese d'ufficio"), 2, Money::fromEuro(9)}));
    // Letter case is ignored, accented letters included.
    EXPECT_TRUE(registro.add({0, QStringLiteral("2026"), QStringLiteral("Attività ricreative"), 1, Money::fromEuro(5)}));
    EXPECT_FALSE(registro.add({0, QStringLiteral("2026"), QStringLiteral("ATTIVITÀ RICREATIVE"), 1, Money::fromEuro(5)}));

    EXPECT_EQ((QStringList{QStringLiteral("2027"), QStringLiteral("2026")}), registro.years());
    const auto lines = registro.lines(QStringLiteral("2026"), 1);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(Money::fromEuro(1500), lines[0].Importo);
}

TEST_F(PrevisionaleTest, PrintMarksOnlyTheLinesOfTheChosenYear)
{
    RegistroPrevisionale registro(*db);
    const qint64 income = addLine("2026", "Quote sociali", 1, 150000);
    const qint64 expense = addLine("2026", "Affitto sede", 2, 60000);
    const qint64 other = addLine("2025", "Contributi", 1, 20000);
    const qint64 unknownKind = addLine("2026", "Varie", 0, 100);

    EXPECT_EQ(1, registro.markForPrint(QStringLiteral("2025")));
    EXPECT_EQ(3, registro.markForPrint(QStringLiteral("2026")));

    struct Row { qint64 CodStampa; QString ImportoE; QString ImportoU; };
    auto row = [&](qint64 id) {
        auto st = db->query(QStringLiteral("SELECT CodStampa, ImportoE, ImportoU FROM RegistroPrevisionale WHERE IDRegistro = ?"),
                            {id});
        EXPECT_TRUE(st.next());
        return Row{st.integer(0), st.isNull(1) ? QStringLiteral("NULL") : st.text(1),
                   st.isNull(2) ? QStringLiteral("NULL") : st.text(2)};
    };
    const struct { qint64 id; qint64 flag; const char* e; const char* u; } expected[] = {
        {income, 1, "150000", "NULL"},
        {expense, 1, "NULL", "60000"},
        {other, 0, "NULL", "NULL"},       // marked by the earlier print, cleared by this one
        {unknownKind, 1, "NULL", "NULL"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        const Row r = row(e.id);
        EXPECT_EQ(e.flag, r.CodStampa);
        EXPECT_EQ(QString::fromLatin1(e.e), r.ImportoE);
        EXPECT_EQ(QString::fromLatin1(e.u), r.ImportoU);
    }
}

TEST_F(PrevisionaleTest, ModifyAndRemoveLinesAndCatalogueItems)
{
    RegistroPrevisionale registro(*db);
    TabellaPrevisionale catalogue(*db);
    const qint64 item = catalogue.add(QStringLiteral("Quote sociali"), 1);
    catalogue.add(QStringLiteral("Affitto sede"), 2);
    const qint64 line = addLine("2026", "Quote sociali", 1, 100);

    EXPECT_TRUE(registro.modify(line, {0, QStringLiteral("2026"), QStringLiteral("Quote sociali"), 1, Money::fromEuro(7)}));
    EXPECT_EQ(Money::fromEuro(7), registro.load(line)->Importo);
    EXPECT_TRUE(catalogue.modify(item, QStringLiteral("Quote associative"), 1));
    ASSERT_EQ(1u, catalogue.items(1).size());
    EXPECT_EQ(QStringLiteral("Quote associative"), catalogue.items(1)[0].Descrizione);

    EXPECT_TRUE(catalogue.remove(item));
    EXPECT_TRUE(catalogue.items(1).empty());
    EXPECT_TRUE(registro.load(line)); // the line that copied the item's text stays
    EXPECT_TRUE(registro.remove(line));
    EXPECT_FALSE(registro.load(line));
    EXPECT_FALSE(registro.modify(line, {}));
}

} // namespace
} // namespace vb::assets
