#include "accounting/assets/RegistroInventario.h"
#include "accounting/assets/tests/AssetsWindowTest.h"
#include "accounting/assets/ui/FormInventario.h"
#include "reports/engine/ReportShow.h"

namespace vb {
namespace {

class FormInventarioTest : public test::AssetsWindowTest<FormInventario> {
protected:
    qint64 addItem(int anno, qint64 cents, const char* descrizione, qint64 svalutazione = -1)
    {
        db->execute(QStringLiteral("INSERT INTO RegistroInventario (Data, Anno, Descrizione, Valore, Svalutazione, Ubicazione, "
                                   "Fornitore, FattScontr, NumFatScontr, DataFatScontr, Annotazioni) "
                                   "VALUES (?, ?, ?, ?, ?, 'Sede', 'Ditta', 'Fattura', '12', ?, 'NIL')"),
                    {QDate(anno, 3, 15), anno, QString::fromUtf8(descrizione), Money::fromCents(cents),
                     Money::fromCents(svalutazione < 0 ? cents : svalutazione), QDate(anno, 3, 10)});
        return db->lastInsertId();
    }
    void typeItem(const char* data, const char* anno, const char* descrizione, const char* prezzo)
    {
        box("TextDataAcquisto")->setText(QString::fromUtf8(data));
        box("TextANNO")->setText(QString::fromUtf8(anno));
        box("TextDescrizione")->setText(QString::fromUtf8(descrizione));
        box("TextImporto")->setText(QString::fromUtf8(prezzo));
    }
    void expectMessage(const MessageRequest& m, const QString& text)
    {
        EXPECT_EQ(text, m.text);
        EXPECT_EQ(MsgButtons::Ok, m.buttons);
        EXPECT_EQ(MsgIcon::Exclamation, m.icon);
        EXPECT_EQ(QStringLiteral("ATTENZIONE"), m.title);
    }
    bool entryState() { return button("Cmd_New")->isEnabled() && !button("Cmd_Mod")->isEnabled() && !button("Cmd_Canc")->isEnabled(); }
};

TEST_F(FormInventarioTest, LoadRecalculatesAndListsNewestFirstWithTotals)
{
    addItem(2023, 100000, "Fotocopiatrice");          // three years ago: 343,00
    addItem(2026, 50050, "Proiettore");                // this year: its price
    addItem(2028, 20000, "Tenda");                     // a later year: its price
    ASSERT_TRUE(open("FormInventario"));
    EXPECT_EQ(QStringLiteral("Inventario"), w->windowTitle());
    EXPECT_EQ(QStringLiteral("09/12/2026"), box("TextDataAcquisto")->text());
    EXPECT_EQ(QStringLiteral("0"), box("TextNumInventario")->text());
    EXPECT_TRUE(entryState());
    EXPECT_EQ((QStringList{"003", "002", "001"}), gridColumn("MSHFlexGrid1", 0));
    EXPECT_EQ((QStringList{"200,00", "500,50", "1.000,00"}), gridColumn("MSHFlexGrid1", 3));
    EXPECT_EQ((QStringList{"200,00", "500,50", "343,00"}), gridColumn("MSHFlexGrid1", 4));
    EXPECT_EQ(QStringLiteral("15/03/2023"), grid("MSHFlexGrid1")->item(2, 1)->text());
    EXPECT_EQ(QStringLiteral("€ 1.700,50"), box("Text_TotalePrezzo")->text());
    EXPECT_EQ(QStringLiteral("€ 1.043,50"), box("Text_TotaleNuovoValore")->text());
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(FormInventarioTest, NewWithoutYearIsRefusedAndShowsTheDefaults)
{
    ASSERT_TRUE(open("FormInventario"));
    typeItem("15/03/2024", "", "Stampante", "300");
    click("Cmd_New");
    ASSERT_EQ(1u, msgs.shown.size());
    expectMessage(msgs.last(), QStringLiteral("Campi obbligatori non compilati (quelli non in corsivo)! \nImpossibile andare avanti."));
    EXPECT_EQ(QStringLiteral("Non indicata"), box("TextUbicazione")->text());
    EXPECT_EQ(QStringLiteral("NIL"), box("TextAnnotazione")->text());
    EXPECT_EQ(QStringLiteral("Dato non disponibile"), box("TextFornitore")->text());
    EXPECT_EQ(QStringLiteral("Non indicata"), combo("Combo1")->currentText());
    EXPECT_EQ(QStringLiteral("0"), box("TextNumFatScontrino")->text());
    EXPECT_EQ(QStringLiteral("09/12/2026"), box("TextDataFatScontrino")->text());
    EXPECT_EQ(QStringLiteral("Stampante"), box("TextDescrizione")->text()); // nothing typed is lost
    EXPECT_EQ(0, scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroInventario")));

    // Leaving the date fills the year; then the item is stored and the boxes reset.
    leave(box("TextDataAcquisto"));
    EXPECT_EQ(QStringLiteral("2024"), box("TextANNO")->text());
    click("Cmd_New");
    EXPECT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("2024-03-15"), assets::RegistroInventario(*db).rows().at(0).Data.toString(Qt::ISODate));
    EXPECT_EQ((QStringList{"001"}), gridColumn("MSHFlexGrid1", 0));
    EXPECT_EQ((QStringList{"147,00"}), gridColumn("MSHFlexGrid1", 4)); // bought in 2024: recalculated at once
    EXPECT_EQ(QString(), box("TextANNO")->text());
    EXPECT_EQ(QStringLiteral("0"), box("TextImporto")->text());
    EXPECT_EQ(QString(), box("TextNumFatScontrino")->text());
    EXPECT_EQ(QStringLiteral("NIL"), box("TextAnnotazione")->text());
    EXPECT_EQ(box("TextDataAcquisto"), w->focusWidget());
    EXPECT_TRUE(entryState());
}

TEST_F(FormInventarioTest, BadPurchaseDateIsRefusedByNewModifyAndLeavingTheBox)
{
    const qint64 id = addItem(2024, 10000, "Sedia");
    ASSERT_TRUE(open("FormInventario"));
    const char* dates[] = {"15/03/202", "31/04/2024", "15-03-2024", "5/6/2024"};
    for (const char* date : dates) {
        SCOPED_TRACE(date);
        msgs.clear();
        typeItem(date, "2024", "Sedia nuova", "50");
        box("TextANNO")->setFocus();
        click("Cmd_New");
        clickGridRow("MSHFlexGrid1", 0);
        typeItem(date, "2024", "Sedia nuova", "50");
        click("Cmd_Mod");
        leave(box("TextDataAcquisto"));
        ASSERT_EQ(3u, msgs.shown.size());
        for (const auto& m : msgs.shown)
            expectMessage(m, QStringLiteral("Formato data non valido! Immettere la data in questo formato: gg/mm/aaaa"));
        EXPECT_EQ(box("TextDataAcquisto"), w->focusWidget());
        EXPECT_EQ(QString::fromUtf8(date), box("TextDataAcquisto")->text());
        click("ComCLS");
    }
    EXPECT_EQ(1, scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroInventario")));
    EXPECT_EQ(QStringLiteral("Sedia"), assets::RegistroInventario(*db).load(id)->Descrizione);
}

TEST_F(FormInventarioTest, RowClickLoadsTheItemAndModifyWritesTheNewPrice)
{
    const qint64 id = addItem(2026, 40000, "Computer");
    ASSERT_TRUE(open("FormInventario"));
    clickGridRow("MSHFlexGrid1", 0);
    EXPECT_EQ(QStringLiteral("001"), box("TextNumInventario")->text());
    EXPECT_EQ(QStringLiteral("15/03/2026"), box("TextDataAcquisto")->text());
    EXPECT_EQ(QStringLiteral("2026"), box("TextANNO")->text());
    EXPECT_EQ(QStringLiteral("400,00"), box("TextImporto")->text());
    EXPECT_EQ(QStringLiteral("400,00"), box("TextSvalutazione")->text());
    EXPECT_EQ(QStringLiteral("Fattura"), combo("Combo1")->currentText());
    EXPECT_EQ(QStringLiteral("10/03/2026"), box("TextDataFatScontrino")->text());
    EXPECT_FALSE(button("Cmd_New")->isEnabled());
    EXPECT_TRUE(button("Cmd_Mod")->isEnabled());
    EXPECT_TRUE(button("Cmd_Canc")->isEnabled());

    box("TextImporto")->setText(QStringLiteral("450"));
    leave(box("TextImporto"));
    EXPECT_EQ(QStringLiteral("450,00"), box("TextImporto")->text());
    box("TextUbicazione")->clear(); // an empty box keeps the stored value
    click("Cmd_Mod");
    EXPECT_TRUE(msgs.shown.empty());
    const auto item = assets::RegistroInventario(*db).load(id);
    EXPECT_EQ(Money::fromEuro(450), item->Valore);
    EXPECT_EQ(Money::fromEuro(450), item->Svalutazione);
    EXPECT_EQ(QStringLiteral("Sede"), item->Ubicazione);
    EXPECT_EQ((QStringList{"450,00"}), gridColumn("MSHFlexGrid1", 4));
    EXPECT_EQ(QStringLiteral("0"), box("TextNumFatScontrino")->text());
    EXPECT_EQ(QString(), box("TextAnnotazione")->text());
    EXPECT_TRUE(button("Cmd_Mod")->isEnabled()); // Modify leaves the buttons as they were

    // The year is required and must be a number.
    clickGridRow("MSHFlexGrid1", 0);
    box("TextANNO")->setText(QStringLiteral("duemila"));
    click("Cmd_Mod");
    ASSERT_EQ(1u, msgs.shown.size());
    expectMessage(msgs.last(), assets::kYearMessage);
    EXPECT_EQ(2026, assets::RegistroInventario(*db).load(id)->Anno);
    EXPECT_EQ(QStringLiteral("duemila"), box("TextANNO")->text());
}

TEST_F(FormInventarioTest, DeleteAsksThenRefillsTheGridWithoutRecalculating)
{
    const qint64 keep = addItem(2023, 100000, "Armadio", 99999); // not yet recalculated
    addItem(2025, 10000, "Lampada");
    ASSERT_TRUE(open("FormInventario"));
    db->execute(QStringLiteral("UPDATE RegistroInventario SET Svalutazione = 12345 WHERE NumInv = ?"), {keep});
    clickGridRow("MSHFlexGrid1", 0);

    msgs.answer(MsgResult::Cancel);
    click("Cmd_Canc");
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("Sei sicuro di voler eliminare definitivamente\n il bene inventariato al n. 002?  \n"
                             "Nota: Una volta eliminato non sarà più possibile recuperarlo."),
              msgs.last().text);
    EXPECT_EQ(MsgButtons::OkCancel, msgs.last().buttons);
    EXPECT_EQ(MsgIcon::Critical, msgs.last().icon);
    EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);
    EXPECT_EQ(2, scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroInventario")));

    msgs.answer(MsgResult::Ok);
    click("Cmd_Canc");
    EXPECT_EQ(1, scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroInventario")));
    EXPECT_EQ((QStringList{"001"}), gridColumn("MSHFlexGrid1", 0));
    EXPECT_EQ((QStringList{"123,45"}), gridColumn("MSHFlexGrid1", 4));
    EXPECT_EQ(QStringLiteral("€ 123,45"), box("Text_TotaleNuovoValore")->text());
    EXPECT_EQ(QStringLiteral("0"), box("TextNumInventario")->text());
    EXPECT_EQ(QStringLiteral("0"), box("TextNumFatScontrino")->text());
    EXPECT_EQ(QStringLiteral("NIL"), box("TextAnnotazione")->text());
    EXPECT_TRUE(entryState());

    click("Cmd_Ricalcola");
    EXPECT_EQ((QStringList{"343,00"}), gridColumn("MSHFlexGrid1", 4));
}

TEST_F(FormInventarioTest, StampaOffersTheRegisterOrTheCardOfTheItemInHand)
{
    addItem(2023, 100000, "Fotocopiatrice");
    addItem(2024, 30000, "Scaffale");
    ASSERT_TRUE(open("FormInventario"));

    msgs.answer(MsgResult::Cancel);
    click("Stampa");
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(MsgButtons::YesNoCancel, msgs.last().buttons);
    EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);

    msgs.answer(MsgResult::No); // the card needs an item in hand
    click("Stampa");
    ASSERT_EQ(3u, msgs.shown.size());
    expectMessage(msgs.last(), QStringLiteral("Nessun bene selezionato: per stampare la scheda scegliere prima il bene dall'elenco."));

    msgs.clear();
    msgs.answer(MsgResult::Yes);
    click("Stampa");
    ASSERT_EQ(1u, msgs.shown.size());
    const auto registerPages = reports::shownPageTexts(QStringLiteral("StampaRegistroInventario"));
    EXPECT_TRUE(printed(registerPages, QStringLiteral("Fotocopiatrice")));
    EXPECT_TRUE(printed(registerPages, QStringLiteral("Scaffale")));
    EXPECT_TRUE(printed(registerPages, QStringLiteral("€ 343,00")));
    EXPECT_TRUE(printed(registerPages, QStringLiteral("€ 1.300,00")));

    clickGridRow("MSHFlexGrid1", 0);
    msgs.answer(MsgResult::No);
    click("Stampa");
    ASSERT_EQ(2u, msgs.shown.size());
    const auto card = reports::shownPageTexts(QStringLiteral("StampaRegistroInventarioScheda"));
    ASSERT_EQ(1, card.size());
    EXPECT_TRUE(printed(card, QStringLiteral("Scaffale")));
    EXPECT_TRUE(printed(card, QStringLiteral("002")));
    EXPECT_TRUE(printed(card, QStringLiteral("147,00")));
    EXPECT_FALSE(printed(card, QStringLiteral("Fotocopiatrice")));
}

} // namespace
} // namespace vb
