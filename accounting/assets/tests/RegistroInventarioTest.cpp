#include "accounting/assets/RegistroInventario.h"

#include "tests/support/TestSupport.h"

namespace vb::assets {
namespace {

class RegistroInventarioTest : public test::AppTest {
protected:
    static InventoryInput typed()
    {
        InventoryInput in;
        in.DataAcquisto = QStringLiteral("15/03/2023");
        in.Anno = QStringLiteral("2023");
        in.Descrizione = QStringLiteral("Fotocopiatrice");
        in.Importo = QStringLiteral("1.000,00");
        return in;
    }
    qint64 addItem(int anno, qint64 cents, qint64 svalutazione)
    {
        db->execute(QStringLiteral("INSERT INTO RegistroInventario (Data, Anno, Descrizione, Valore, Svalutazione) "
                                   "VALUES (?, ?, 'Bene', ?, ?)"),
                    {QDate(anno, 1, 1), anno, Money::fromCents(cents), Money::fromCents(svalutazione)});
        return db->lastInsertId();
    }
    Money value(qint64 numInv) { return RegistroInventario(*db).load(numInv)->Svalutazione; }
};

TEST_F(RegistroInventarioTest, NewChecksTheBoxesInOrder)
{
    const struct { const char* field; const char* text; Refusal refusal; } cases[] = {
        {"DataAcquisto", "15/03/202", Refusal::PurchaseDate},  // nine characters
        {"DataAcquisto", "5/06/2019", Refusal::PurchaseDate},  // a real date, but nine characters
        {"DataAcquisto", "5/6/2019", Refusal::PurchaseDate},
        {"DataAcquisto", "05/06/2019 ", Refusal::PurchaseDate},
        {"DataAcquisto", "5/06/2019 ", Refusal::PurchaseDate}, // ten characters with a blank
        {"DataAcquisto", " 5/06/2019", Refusal::PurchaseDate},
        {"DataAcquisto", "31/02/2023", Refusal::PurchaseDate}, // no such day
        {"DataAcquisto", "", Refusal::PurchaseDate},
        {"Anno", "", Refusal::Missing},
        {"Descrizione", "", Refusal::Missing},
        {"Importo", "", Refusal::Missing},
        {"Importo", "0,00", Refusal::Missing},
        {"Importo", "mille", Refusal::Missing},                // unreadable counts as 0
        {"Anno", "duemila", Refusal::Year},
        {"Anno", "0", Refusal::Year},
        {"DataFatScontr", "32/01/2023", Refusal::DocumentDate},
        {"Ubicazione", "Sede", Refusal::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.field << " = '" << c.text << "'");
        InventoryInput in = typed();
        const QString text = QString::fromUtf8(c.text);
        const QString field = QString::fromLatin1(c.field);
        if (field == u"DataAcquisto") in.DataAcquisto = text;
        if (field == u"Anno") in.Anno = text;
        if (field == u"Descrizione") in.Descrizione = text;
        if (field == u"Importo") in.Importo = text;
        if (field == u"DataFatScontr") in.DataFatScontr = text;
        if (field == u"Ubicazione") in.Ubicazione = text;
        InventoryItem item;
        const Check check = readNewItem(in, today(), item);
        EXPECT_EQ(c.refusal, check.refusal);
        if (c.refusal == Refusal::PurchaseDate || c.refusal == Refusal::DocumentDate) {
            EXPECT_EQ(kDateMessage, check.message());
        }
    }
}

TEST_F(RegistroInventarioTest, NewFillsTheEmptyOptionalBoxesEvenWhenRefused)
{
    InventoryInput in = typed();
    in.Anno.clear();
    InventoryItem item;
    EXPECT_EQ(Refusal::Missing, readNewItem(in, today(), item).refusal);
    EXPECT_EQ(QStringLiteral("Non indicata"), in.Ubicazione);
    EXPECT_EQ(QStringLiteral("NIL"), in.Annotazioni);
    EXPECT_EQ(QStringLiteral("Dato non disponibile"), in.Fornitore);
    EXPECT_EQ(QStringLiteral("Non indicata"), in.FattScontr);
    EXPECT_EQ(QStringLiteral("0"), in.NumFatScontr);
    EXPECT_EQ(QStringLiteral("09/12/2026"), in.DataFatScontr);

    in = typed();
    in.DataFatScontr = QStringLiteral("01/03/2023");
    ASSERT_TRUE(readNewItem(in, today(), item));
    EXPECT_EQ(QDate(2023, 3, 1), item.DataFatScontr); // a typed document date is kept
}

TEST_F(RegistroInventarioTest, AddedItemStartsAtItsPriceAndIsStoredWithIsoDates)
{
    InventoryInput in = typed();
    InventoryItem item;
    ASSERT_TRUE(readNewItem(in, today(), item));
    RegistroInventario registro(*db);
    const qint64 first = registro.add(item);
    const qint64 second = registro.add(item);
    EXPECT_GT(second, first);

    const auto loaded = registro.load(first);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Money::fromEuro(1000), loaded->Valore);
    EXPECT_EQ(Money::fromEuro(1000), loaded->Svalutazione);
    EXPECT_EQ(2023, loaded->Anno);
    EXPECT_EQ(QStringLiteral("Dato non disponibile"), loaded->Fornitore);
    auto st = db->query(QStringLiteral("SELECT Data, DataFatScontr FROM RegistroInventario WHERE NumInv = ?"), {first});
    ASSERT_TRUE(st.next());
    EXPECT_EQ(QStringLiteral("2023-03-15"), st.text(0));
    EXPECT_EQ(QStringLiteral("2026-12-09"), st.text(1));

    const auto rows = registro.rows();
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(second, rows[0].NumInv); // newest first
}

TEST_F(RegistroInventarioTest, ModifyWritesOnlyTheFilledBoxes)
{
    InventoryInput in = typed();
    in.Ubicazione = QStringLiteral("Sede");
    in.Annotazioni = QStringLiteral("Nota");
    InventoryItem item;
    ASSERT_TRUE(readNewItem(in, today(), item));
    RegistroInventario registro(*db);
    const qint64 id = registro.add(item);

    InventoryInput change;
    change.DataAcquisto = QStringLiteral("16/03/2023");
    change.Anno = QStringLiteral("2023");
    change.Importo = QStringLiteral("0");
    change.Fornitore = QStringLiteral("Ditta Rossi");
    InventoryChange c;
    ASSERT_TRUE(readChange(change, c));
    EXPECT_TRUE(registro.modify(id, c));
    auto loaded = registro.load(id);
    EXPECT_EQ(QDate(2023, 3, 16), loaded->Data);
    EXPECT_EQ(QStringLiteral("Fotocopiatrice"), loaded->Descrizione);
    EXPECT_EQ(Money::fromEuro(1000), loaded->Valore); // a price of 0 leaves the price as it was
    EXPECT_EQ(QStringLiteral("Sede"), loaded->Ubicazione);
    EXPECT_EQ(QStringLiteral("Ditta Rossi"), loaded->Fornitore);
    EXPECT_EQ(QStringLiteral("Nota"), loaded->Annotazioni);

    change.Importo = QStringLiteral("250,50");
    ASSERT_TRUE(readChange(change, c));
    EXPECT_TRUE(registro.modify(id, c));
    loaded = registro.load(id);
    EXPECT_EQ(Money::fromCents(25050), loaded->Valore);
    EXPECT_EQ(Money::fromCents(25050), loaded->Svalutazione);

    EXPECT_TRUE(registro.remove(id));
    EXPECT_FALSE(registro.modify(id, c)); // gone meanwhile
    EXPECT_FALSE(registro.remove(id));
}

TEST_F(RegistroInventarioTest, ModifyRefusesABadDateOrYear)
{
    const struct { const char* date; const char* year; const char* documentDate; Refusal refusal; } cases[] = {
        {"01/03/2023", "2023", "", Refusal::None},
        {"1/03/2023", "2023", "", Refusal::PurchaseDate},    // a real date, but nine characters
        {"15/03/202", "2023", "", Refusal::PurchaseDate},
        {"15/03/2023", "", "", Refusal::Year},
        {"15/03/2023", "20x3", "", Refusal::Year},
        {"15/03/2023", "2023", "15-03-2023", Refusal::DocumentDate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        InventoryInput in;
        in.DataAcquisto = QString::fromUtf8(c.date);
        in.Anno = QString::fromUtf8(c.year);
        in.DataFatScontr = QString::fromUtf8(c.documentDate);
        InventoryChange change;
        EXPECT_EQ(c.refusal, readChange(in, change).refusal);
    }
}

TEST_F(RegistroInventarioTest, RecomputeRewritesOnlyTheRowsWhoseValueChanges)
{
    const qint64 old = addItem(2023, 100000, 100000);      // three years ago
    const qint64 thisYear = addItem(2026, 50000, 12345);   // left as it stands
    const qint64 later = addItem(2028, 80000, 1);           // a later year: the price
    const qint64 alreadyRight = addItem(2025, 10000, 7000);

    EXPECT_EQ(2, RecomputeSvalutazione(*db, 2026));
    EXPECT_EQ(Money::fromEuro(343), value(old));
    EXPECT_EQ(Money::fromCents(12345), value(thisYear));
    EXPECT_EQ(Money::fromEuro(800), value(later));
    EXPECT_EQ(Money::fromEuro(70), value(alreadyRight));

    EXPECT_EQ(0, RecomputeSvalutazione(*db, 2026)); // computed from the price: a second run changes nothing
    EXPECT_EQ(3, RecomputeSvalutazione(*db, 2027)); // next year every item up to 2026 falls again
    EXPECT_EQ(Money::fromCents(24010), value(old));
}

TEST_F(RegistroInventarioTest, RecomputeFailureLeavesEveryRowAsItWas)
{
    const qint64 a = addItem(2020, 100000, 100000);
    const qint64 b = addItem(2021, 100000, 100000);
    db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON RegistroInventario WHEN NEW.NumInv = %1"
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END").arg(b));
    EXPECT_THROW(RecomputeSvalutazione(*db, 2026), db::Error);
    EXPECT_EQ(Money::fromEuro(1000), value(a));
    EXPECT_EQ(Money::fromEuro(1000), value(b));
}

} // namespace
} // namespace vb::assets
