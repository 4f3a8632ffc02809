#include "members/fees/tests/FeeFixture.h"
#include "members/fees/ui/FeesWindows.h"
#include "members/fees/ui/FormGestSoci.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace vb {
namespace {

class FormGestSociTest : public test::FeeFixture {
protected:
    void SetUp() override
    {
        rossi = addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("ORDINARI"), 3, QStringLiteral("12"));
        bianchi = addPerson(QStringLiteral("Bianchi"), QStringLiteral("Ada"), QStringLiteral("ONORARI"), 5, QStringLiteral("0"));
        registerFeesWindows();
    }
    void TearDown() override
    {
        WindowRegistry::instance().closeAll();
        test::processEvents();
    }
    FormGestSoci* open()
    {
        w = WindowRegistry::instance().showAs<FormGestSoci>(QStringLiteral("FormGestSoci"));
        return w;
    }
    template <class T> T* get(const char* name) { return w->findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* box(const char* name) { return get<QLineEdit>(name); }
    void click(const char* name) { get<QPushButton>(name)->click(); }
    void pick(const char* combo, const QString& text)
    {
        auto* c = get<QComboBox>(combo);
        const int i = c->findText(text, Qt::MatchExactly);
        ASSERT_GE(i, 0) << text.toStdString();
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
    }
    void pickPerson(qint64 codNom)
    {
        auto* c = get<QComboBox>("Combo2");
        const int i = c->findData(codNom);
        ASSERT_GE(i, 0);
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
    }
    QStringList gridColumn(int column)
    {
        auto* g = get<QTableWidget>("MSFlexGrid3");
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r)
            out << g->item(r, column)->text();
        return out;
    }
    void clickGridRow(int row)
    {
        auto* g = get<QTableWidget>("MSFlexGrid3");
        g->setCurrentCell(row, 0);
        Q_EMIT g->cellClicked(row, 0);
    }
    void typeFee(const QString& data, const QString& anno, const QString& importo, const QString& note)
    {
        box("Text_Data")->setText(data);
        box("Text_Anno")->setText(anno);
        box("Text_Importo")->setText(importo);
        box("Text_Note")->setText(note);
    }
    qint64 count(const char* table) { return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(table)); }

    qint64 rossi = 0;
    qint64 bianchi = 0;
    FormGestSoci* w = nullptr;
};

TEST_F(FormGestSociTest, LoadShowsTheEntryState)
{
    ASSERT_TRUE(open());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Gestione Soci"));
    EXPECT_EQ(box("Text_Data")->text(), QStringLiteral("09/12/2026"));
    EXPECT_EQ(box("Text_Anno")->text(), QStringLiteral("2026"));
    EXPECT_EQ(box("Text_Importo")->text(), QStringLiteral("0"));
    EXPECT_TRUE(get<QPushButton>("Cmd_New")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Cmd_Mod")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Cmd_Canc")->isEnabled());
    EXPECT_FALSE(get<QGroupBox>("Frame1")->isVisible());
    EXPECT_EQ(get<QTableWidget>("MSFlexGrid3")->rowCount(), 0);
    EXPECT_FALSE(get<QLabel>("Image1")->pixmap().isNull());
    auto* combo1 = get<QComboBox>("Combo1");
    EXPECT_EQ(combo1->currentText(), QStringLiteral("Seleziona il tipo di socio"));
    EXPECT_EQ(combo1->count(), 9); // seven names, then the two stored types
    EXPECT_EQ(combo1->itemText(7), QStringLiteral("ONORARI"));
    auto* combo2 = get<QComboBox>("Combo2");
    EXPECT_EQ(combo2->currentText(), QStringLiteral("Seleziona nominativo socio"));
    ASSERT_EQ(combo2->count(), 2);
    EXPECT_EQ(combo2->itemText(0), QStringLiteral("BIANCHI ADA  - REG. NUM.%1").arg(bianchi, 4, 10, QLatin1Char('0')));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(FormGestSociTest, MemberTypeListsOnlyItsPersons)
{
    // A type typed outside the seven names is stored with code 0.
    addPerson(QStringLiteral("Verdi"), QStringLiteral("Gino"), QStringLiteral("sostenitori"), 0);
    ASSERT_TRUE(open());
    auto* combo2 = get<QComboBox>("Combo2");
    const struct { const char* type; int index; int persons; } cases[] = {
        {"ORDINARI", 3, 1},    // the design name
        {"ORDINARI", 8, 1},    // its stored copy further down the list
        {"ONORARI", 5, 1},
        {"MEMORIAM", 0, 1},    // code 0
        {"SOSTENITORI", 4, 0},
        {"sostenitori", 9, 0}, // not one of the seven names
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        auto* combo1 = get<QComboBox>("Combo1");
        ASSERT_EQ(combo1->itemText(c.index), QString::fromUtf8(c.type));
        combo1->setCurrentIndex(c.index);
        Q_EMIT combo1->activated(c.index);
        EXPECT_EQ(combo2->count(), c.persons);
        EXPECT_EQ(combo2->currentText(), QString());
        EXPECT_EQ(box("Text_NumTes")->text(), QStringLiteral("0"));
        EXPECT_EQ(box("Text_VisNom")->text(), QString());
    }
}

TEST_F(FormGestSociTest, PickedPersonShowsTheirFeesNewestYearFirst)
{
    addFee(rossi, QStringLiteral("2025"), 2000, QDate(2025, 2, 1));
    addFee(rossi, QStringLiteral("2026"), 2550, QDate(2026, 2, 1));
    addFee(bianchi, QStringLiteral("2026"), 9900);
    ASSERT_TRUE(open());
    pickPerson(rossi);
    EXPECT_EQ(box("Text_VisNom")->text(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(box("Text_NumTes")->text(), QStringLiteral("00012"));
    EXPECT_EQ(box("Text_Note")->text(), QStringLiteral("Quota sociale"));
    EXPECT_EQ(gridColumn(2), (QStringList{QStringLiteral("2026"), QStringLiteral("2025")}));
    EXPECT_EQ(gridColumn(1), (QStringList{QStringLiteral("01/02/2026"), QStringLiteral("01/02/2025")}));
    EXPECT_EQ(gridColumn(3), (QStringList{QStringLiteral("25,50"), QStringLiteral("20,00")}));
    EXPECT_EQ(gridColumn(0).first().size(), 5);
    EXPECT_EQ(box("TextTotale")->text(), QStringLiteral("€ 45,50"));

    auto* ord = get<QLabel>("Ord_to");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(ord, &release);
    EXPECT_EQ(gridColumn(2), (QStringList{QStringLiteral("2025"), QStringLiteral("2026")}));

    pickPerson(bianchi);
    EXPECT_EQ(box("Text_NumTes")->text(), QStringLiteral("00000"));
    const qint64 nobodyFees = addPerson(QStringLiteral("Zeta"), QStringLiteral("Nessuna"));
    WindowRegistry::instance().closeAll();
    test::processEvents();
    ASSERT_TRUE(open());
    pickPerson(nobodyFees);
    EXPECT_EQ(box("TextTotale")->text(), QStringLiteral("€ 0,00"));
}

TEST_F(FormGestSociTest, KeysAboveFourDigitsPickTheRightPerson)
{
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (CodNom, Cognome, Nome, NumTessera) VALUES (2345, 'Corto', 'A', '1')"));
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (CodNom, Cognome, Nome, NumTessera) VALUES (12345, 'Lungo', 'B', '2')"));
    ASSERT_TRUE(open());
    pick("Combo2", QStringLiteral("LUNGO B  - REG. NUM.12345"));
    EXPECT_EQ(box("Text_VisNom")->text(), QStringLiteral("LUNGO B"));
}

TEST_F(FormGestSociTest, NewFeeThenPaymentKindPostsTheBoxesAsTheyStand)
{
    ASSERT_TRUE(open());
    pickPerson(rossi);
    typeFee(QStringLiteral("09/12/2026"), QStringLiteral("2027"), QStringLiteral("25,00"), QString());
    click("Cmd_New");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Confermi l'aggiornamento?\nPremi OK per confermare."));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci WHERE CodNom = ? AND Anno = '2027' "
                                    "AND QuotaVers = 2500 AND Note = 'NIL' AND TessNum = '00012'"),
                     {rossi}),
              1);
    EXPECT_EQ(box("Text_Note")->text(), QStringLiteral("NIL"));
    EXPECT_TRUE(get<QGroupBox>("Frame1")->isVisible());
    EXPECT_EQ(count("LibroCassa"), 0);

    box("Text_Importo")->setText(QStringLiteral("30,00")); // changed before the choice: this is posted
    get<QRadioButton>("Option2")->click();
    EXPECT_FALSE(get<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(get<QGroupBox>("Frame1")->isVisible());
    auto st = db->query(QStringLiteral("SELECT CodiceTestataCassa, Importo, Saldo, Anno, Descrizione FROM LibroCassa"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer(0), 3);
    EXPECT_EQ(st.integer(1), 3000);
    EXPECT_EQ(st.integer(2), 3000);
    EXPECT_EQ(st.integer(3), 2026);
    EXPECT_EQ(st.text(4), QStringLiteral("Quota sociale 2027 (Bonifico) - Rossi Mario Tess. n. 00012"));
    EXPECT_EQ(box("Text_Anno")->text(), QStringLiteral("2026"));
    EXPECT_EQ(box("Text_Importo")->text(), QStringLiteral("0"));
    EXPECT_EQ(box("Text_Note")->text(), QString());
    EXPECT_EQ(gridColumn(2), QStringList{QStringLiteral("2027")});
    EXPECT_EQ(box("TextTotale")->text(), QStringLiteral("€ 25,00"));
}

TEST_F(FormGestSociTest, NewIsRefusedOrDroppedWithNothingWritten)
{
    ASSERT_TRUE(open());
    const struct { bool pickPerson; const char* data; const char* anno; const char* importo; bool message; } cases[] = {
        {true, "09/12/2026", "2026", "0", false},
        {true, "09/12/2026", "2026", "0,00", false},
        {false, "09/12/2026", "2026", "25", true},
        {true, "09/12/2026", "2026", "", true},
        {true, "09/12/2026", "2026", "venti", true},
        {true, "32/12/2026", "2026", "25", true},
        {true, "09/12/2026", "20x6", "25", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(c.data, c.anno, c.importo).toStdString());
        if (c.pickPerson)
            pickPerson(rossi);
        typeFee(QString::fromUtf8(c.data), QString::fromUtf8(c.anno), QString::fromUtf8(c.importo), QString());
        msgs.clear();
        click("Cmd_New");
        if (c.message) {
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
            EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
        } else {
            EXPECT_TRUE(msgs.shown.empty());
        }
        EXPECT_EQ(box("Text_Importo")->text(), QString::fromUtf8(c.importo)); // what was typed stays
        EXPECT_EQ(count("RegistroQuoteSoci"), 0);
        EXPECT_FALSE(get<QGroupBox>("Frame1")->isVisible());
        // A new type pick forgets the person, so the next case starts with none.
        pick("Combo1", QStringLiteral("ORDINARI"));
    }
    pickPerson(rossi);
    typeFee(QStringLiteral("09/12/2026"), QStringLiteral("2026"), QStringLiteral("25"), QString());
    msgs.answer(MsgResult::Cancel);
    click("Cmd_New");
    EXPECT_EQ(count("RegistroQuoteSoci"), 0);
    EXPECT_FALSE(get<QGroupBox>("Frame1")->isVisible());
}

TEST_F(FormGestSociTest, ModifyAndDeleteLeaveTheCashBookAlone)
{
    const qint64 fee = addFee(rossi, QStringLiteral("2026"), 2000);
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Data, Anno, CodiceTestataCassa, CodiceCategoria, Tipo, Importo, Saldo) "
                               "VALUES ('2026-03-01', 2026, 1, 'AQS', 'E', 2000, 2000)"));
    ASSERT_TRUE(open());
    pickPerson(rossi);
    click("Cmd_Mod"); // no row loaded: nothing happens
    clickGridRow(0);
    EXPECT_FALSE(box("Text_Anno")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Cmd_New")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("Cmd_Mod")->isEnabled());
    EXPECT_EQ(box("Text_Data")->text(), QStringLiteral("01/03/2026"));
    EXPECT_EQ(box("Text_Importo")->text(), QStringLiteral("20,00"));
    EXPECT_EQ(box("Text_Note")->text(), QStringLiteral("x"));

    box("Text_Importo")->setText(QStringLiteral("22,50"));
    box("Text_Note")->clear();
    click("Cmd_Mod");
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT QuotaVers FROM RegistroQuoteSoci WHERE IDRegistro = ? AND Note = ''"), {fee}), 2250);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Importo FROM LibroCassa")), 2000);
    EXPECT_TRUE(get<QPushButton>("Cmd_New")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Cmd_Mod")->isEnabled());
    EXPECT_TRUE(box("Text_Anno")->isEnabled());
    EXPECT_EQ(box("TextTotale")->text(), QStringLiteral("€ 22,50"));

    clickGridRow(0);
    msgs.answer(MsgResult::No);
    click("Cmd_Canc");
    EXPECT_EQ(msgs.last().text, QStringLiteral("Sei sicuro di voler eliminare questa quota? "));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.last().title, QStringLiteral("AVVISO"));
    EXPECT_EQ(count("RegistroQuoteSoci"), 1);
    msgs.answer(MsgResult::Yes);
    click("Cmd_Canc");
    EXPECT_EQ(count("RegistroQuoteSoci"), 0);
    EXPECT_EQ(count("LibroCassa"), 1);
    EXPECT_EQ(get<QTableWidget>("MSFlexGrid3")->rowCount(), 0);
    EXPECT_FALSE(get<QPushButton>("Cmd_Canc")->isEnabled());
}

TEST_F(FormGestSociTest, RefreshAndAmountFormatting)
{
    addFee(rossi, QStringLiteral("2025"), 2000);
    ASSERT_TRUE(open());
    pickPerson(rossi);
    clickGridRow(0);
    click("ComRefresh");
    EXPECT_EQ(box("Text_Note")->text(), QStringLiteral("Quota Sociale"));
    EXPECT_EQ(box("Text_Anno")->text(), QStringLiteral("2026"));
    EXPECT_TRUE(box("Text_Anno")->isEnabled());
    EXPECT_TRUE(get<QPushButton>("Cmd_New")->isEnabled());
    EXPECT_FALSE(get<QPushButton>("Cmd_Mod")->isEnabled());

    const struct { const char* typed; const char* shown; } amounts[] = {
        {"1234,5", "1.234,50"}, {"25", "25,00"}, {"-5", "-5,00"}, {"abc", "abc"},
    };
    for (const auto& a : amounts) {
        SCOPED_TRACE(a.typed);
        box("Text_Importo")->setText(QString::fromUtf8(a.typed));
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(box("Text_Importo"), &out);
        EXPECT_EQ(box("Text_Importo")->text(), QString::fromUtf8(a.shown));
    }
}

} // namespace
} // namespace vb
