#include "accounting/assets/Previsionale.h"
#include "accounting/assets/tests/AssetsWindowTest.h"
#include "accounting/assets/ui/FormRegistroPrevisionale.h"
#include "reports/engine/ReportShow.h"

namespace vb {
namespace {

class FormRegistroPrevisionaleTest : public test::AssetsWindowTest<FormRegistroPrevisionale> {
protected:
    FormRegistroPrevisionaleTest()
    {
        assets::TabellaPrevisionale catalogue(*db);
        catalogue.add(QStringLiteral("Quote sociali"), 1);
        catalogue.add(QStringLiteral("Contributi"), 1);
        catalogue.add(QStringLiteral("Affitto sede"), 2);
    }
    void pick(const char* name, const QString& text)
    {
        auto* c = combo(name);
        const int i = c->findText(text, Qt::MatchExactly);
        ASSERT_GE(i, 0) << text.toStdString();
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
    }
    void typeLine(const char* anno, const char* item, const char* importo)
    {
        combo("Combo2")->setEditText(QString::fromUtf8(anno));
        combo("Combo3")->setEditText(QString::fromUtf8(item));
        box("Text_Importo")->setText(QString::fromUtf8(importo));
    }
    QStringList items()
    {
        QStringList out;
        for (int i = 0; i < combo("Combo3")->count(); ++i)
            out << combo("Combo3")->itemText(i);
        return out;
    }
    void expectNotice(const QString& text)
    {
        ASSERT_FALSE(msgs.shown.empty());
        EXPECT_EQ(text, msgs.last().text);
        EXPECT_EQ(MsgIcon::Exclamation, msgs.last().icon);
        EXPECT_EQ(QStringLiteral("AVVISO"), msgs.last().title);
    }
    qint64 lines() { return scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroPrevisionale")); }
};

TEST_F(FormRegistroPrevisionaleTest, KindListsItsItemsAndNewLinesAreCheckedForDuplicates)
{
    assets::RegistroPrevisionale(*db).add({0, QStringLiteral("2025"), QStringLiteral("Quote sociali"), 1, Money::fromEuro(900)});
    ASSERT_TRUE(open("FormRegistroPrevisionale"));
    EXPECT_EQ(QStringLiteral("Registro Previsionale"), w->windowTitle());
    EXPECT_EQ(1, combo("Combo2")->count());
    EXPECT_TRUE(items().isEmpty()); // no kind chosen yet
    pick("Combo1", QStringLiteral("Attività"));
    EXPECT_EQ((QStringList{"Quote sociali", "Contributi"}), items());

    const struct { const char* anno; const char* item; const char* importo; const char* message; } refused[] = {
        {"", "Quote sociali", "100", "I Campi non sono stati compilati!"},
        {"2026", "", "100", "I Campi non sono stati compilati!"},
        {"2026", "Quote sociali", "", "I Campi non sono stati compilati!"},
        {"2026", "Quote sociali", "cento", "Importo non valido! Immettere un numero, ad esempio 1.234,50"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.importo);
        msgs.clear();
        typeLine(r.anno, r.item, r.importo);
        click("Cmd_New");
        ASSERT_EQ(1u, msgs.shown.size());
        expectNotice(QString::fromUtf8(r.message));
        EXPECT_EQ(QString::fromUtf8(r.importo), box("Text_Importo")->text()); // what was typed stays
    }
    EXPECT_EQ(1, lines());

    msgs.clear();
    typeLine("2026", "Quote sociali", "1.500,00");
    click("Cmd_New");
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ((QStringList{"Quote sociali"}), gridColumn("MSFlexGrid1", 1));
    EXPECT_EQ((QStringList{"1.500,00"}), gridColumn("MSFlexGrid1", 2));
    EXPECT_EQ(QString(), combo("Combo3")->currentText());

    typeLine("2026", "Quote sociali", "10");
    click("Cmd_New");
    expectNotice(QStringLiteral("Voce già registrata!"));
    EXPECT_EQ(2, lines());
}

TEST_F(FormRegistroPrevisionaleTest, RowClickModifyAndDeleteALine)
{
    const auto id = assets::RegistroPrevisionale(*db).add(
        {0, QStringLiteral("2026"), QStringLiteral("Affitto sede"), 2, Money::fromCents(60050)});
    ASSERT_TRUE(open("FormRegistroPrevisionale"));
    EXPECT_FALSE(button("Cmd_Mod")->isEnabled());
    pick("Combo2", QStringLiteral("2026"));
    pick("Combo1", QStringLiteral("Passività"));
    ASSERT_EQ(1, grid("MSFlexGrid1")->rowCount());
    clickGridRow("MSFlexGrid1", 0);
    EXPECT_EQ(QString::number(*id), box("Text_Codice")->text());
    EXPECT_EQ(QStringLiteral("Affitto sede"), combo("Combo3")->currentText());
    EXPECT_EQ(QStringLiteral("600,50"), box("Text_Importo")->text());
    EXPECT_TRUE(button("Cmd_Mod")->isEnabled());
    EXPECT_TRUE(button("Cmd_Canc")->isEnabled());

    box("Text_Importo")->clear();
    click("Cmd_Mod");
    expectNotice(QStringLiteral("Campi non sono compilati"));
    box("Text_Importo")->setText(QStringLiteral("700"));
    leave(box("Text_Importo"));
    EXPECT_EQ(QStringLiteral("700,00"), box("Text_Importo")->text());
    click("Cmd_Mod");
    EXPECT_EQ(Money::fromEuro(700), assets::RegistroPrevisionale(*db).load(*id)->Importo);
    EXPECT_EQ((QStringList{"700,00"}), gridColumn("MSFlexGrid1", 2));

    msgs.clear();
    clickGridRow("MSFlexGrid1", 0);
    msgs.answer(MsgResult::No);
    click("Cmd_Canc");
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("Sicuro di voler eliminare questa voce: Affitto sede\n"
                             "Una volta eliminato non sarà piu possibile recuperarlo. "),
              msgs.last().text);
    EXPECT_EQ(MsgButtons::YesNo, msgs.last().buttons);
    EXPECT_EQ(MsgIcon::Question, msgs.last().icon);
    EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);
    EXPECT_EQ(1, lines());
    msgs.answer(MsgResult::Yes);
    click("Cmd_Canc");
    EXPECT_EQ(0, lines());
    EXPECT_EQ(0, grid("MSFlexGrid1")->rowCount());
}

TEST_F(FormRegistroPrevisionaleTest, CatalogueModeNeedsAKindAndKeepsItsOwnItems)
{
    ASSERT_TRUE(open("FormRegistroPrevisionale"));
    click("Cmd_SelVoci"); // no kind chosen: nothing happens
    EXPECT_TRUE(combo("Combo2")->isEnabled());
    EXPECT_EQ(3, grid("MSFlexGrid1")->columnCount());

    pick("Combo1", QStringLiteral("Passività"));
    click("Cmd_SelVoci");
    EXPECT_FALSE(combo("Combo2")->isEnabled());
    EXPECT_FALSE(box("Text_Importo")->isEnabled());
    EXPECT_EQ(2, grid("MSFlexGrid1")->columnCount());
    EXPECT_EQ((QStringList{"Affitto sede"}), gridColumn("MSFlexGrid1", 1));

    click("Cmd_New"); // no item text: nothing happens
    combo("Combo3")->setEditText(QStringLiteral("Utenze"));
    click("Cmd_New");
    EXPECT_EQ((QStringList{"Affitto sede", "Utenze"}), gridColumn("MSFlexGrid1", 1));
    clickGridRow("MSFlexGrid1", 1);
    combo("Combo3")->setEditText(QStringLiteral("Utenze e telefono"));
    click("Cmd_Mod");
    EXPECT_EQ((QStringList{"Affitto sede", "Utenze e telefono"}), gridColumn("MSFlexGrid1", 1));
    EXPECT_TRUE(msgs.shown.empty());

    click("Cmd_SelVoci"); // back to the lines: the item list is read again
    EXPECT_TRUE(combo("Combo2")->isEnabled());
    EXPECT_EQ((QStringList{"Affitto sede", "Utenze e telefono"}), items());
}

TEST_F(FormRegistroPrevisionaleTest, PrintSelectsTheChosenYearOnly)
{
    assets::RegistroPrevisionale registro(*db);
    registro.add({0, QStringLiteral("2026"), QStringLiteral("Quote sociali"), 1, Money::fromCents(123450)});
    registro.add({0, QStringLiteral("2026"), QStringLiteral("Affitto sede"), 2, Money::fromEuro(600)});
    registro.add({0, QStringLiteral("2025"), QStringLiteral("Contributi"), 1, Money::fromEuro(99)});
    ASSERT_TRUE(open("FormRegistroPrevisionale"));

    click("Cmd_Stampa"); // no year chosen: nothing happens
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(0, scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroPrevisionale WHERE CodStampa = 1")));

    msgs.clear();
    pick("Combo2", QStringLiteral("2026"));
    click("Cmd_Stampa");
    EXPECT_TRUE(msgs.shown.empty());
    const auto pages = reports::shownPageTexts(QStringLiteral("BilancioPrevisionale"));
    EXPECT_TRUE(printed(pages, QStringLiteral("2026")));
    EXPECT_TRUE(printed(pages, QStringLiteral("Quote sociali")));
    EXPECT_TRUE(printed(pages, QStringLiteral("€ 1.234,50")));
    EXPECT_TRUE(printed(pages, QStringLiteral("€ 600,00")));
    EXPECT_FALSE(printed(pages, QStringLiteral("Contributi")));
    EXPECT_FALSE(printed(pages, QStringLiteral("€ 99,00")));
}

} // namespace
} // namespace vb
