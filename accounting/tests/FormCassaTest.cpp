#include "accounting/Codici.h"
#include "accounting/tests/CashBookFixture.h"
#include "accounting/ui/AccountingWindows.h"
#include "accounting/ui/FormCassa.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportShow.h"
#include "ui/WindowRegistry.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace vb {
namespace {

using accounting::test::balances;
using accounting::test::cashRow;

class FormCassaTest : public test::AppTest {
protected:
    FormCassaTest()
    {
        registerAccountingWindows();
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        accounting::Codici codici(*db);
        codici.add(QStringLiteral("SPE"), QStringLiteral("Spese"), QStringLiteral("2"));
        codici.add(QStringLiteral("AFF"), QStringLiteral("Affitto"), QStringLiteral("2"));
        db->execute(QStringLiteral("INSERT INTO TabellaCodici (Codice, CodDescrizione, AttivitaPassivita) VALUES ('GIR', 'Giro', 0)"));
    }
    ~FormCassaTest() override
    {
        WindowRegistry::instance().closeAll();
        test::processEvents();
        data::DataEnvironment1::instance().CloseAll();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    FormCassa* open()
    {
        w = WindowRegistry::instance().showAs<FormCassa>(QStringLiteral("FormCassa"));
        EXPECT_NE(w, nullptr);
        return w;
    }

    template <class T> T* child(const char* name)
    {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    QTableView* grid() { return child<QTableView>("MSHFlexGrid1"); }

    void pick(const char* comboName, const QString& text)
    {
        QComboBox* c = combo(comboName);
        const int i = c->findText(text);
        ASSERT_GE(i, 0) << comboName << " " << text.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    void clickLabel(const char* name)
    {
        QLabel* l = child<QLabel>(name);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), l->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(l, &release);
    }
    void clickRow(int row)
    {
        const QModelIndex index = grid()->model()->index(row, 0);
        grid()->setCurrentIndex(index);
        emit grid()->clicked(index);
    }
    QString cell(int row, int column) { return grid()->model()->index(row, column).data().toString(); }
    int rowCount() { return grid()->model()->rowCount(); }
    QStringList column(int c)
    {
        QStringList out;
        for (int r = 0; r < rowCount(); ++r)
            out << cell(r, c);
        return out;
    }

    void enter(const char* date, const char* tipo, const QString& codeItem, const char* amount, const char* note = "")
    {
        box("TextDataEntrata")->setText(QString::fromUtf8(date));
        pick("Combo3", QString::fromUtf8(tipo));
        pick("Combo2", codeItem);
        box("TextImporto")->setText(QString::fromUtf8(amount));
        box("TextNote")->setText(QString::fromUtf8(note));
    }

    FormCassa* w = nullptr;
};

TEST_F(FormCassaTest, LoadsTodayAndTheBooksAndDoesNothingUntilABookIsChosen)
{
    open();
    EXPECT_EQ(QStringLiteral("Registro Cassa"), w->windowTitle());
    EXPECT_EQ(QStringLiteral("2026"), box("TextAnno")->text());
    EXPECT_EQ(QStringLiteral("09/12/2026"), box("TextDataEntrata")->text());
    EXPECT_EQ(2, combo("Combo1")->count());
    EXPECT_FALSE(combo("Combo4")->isEnabled());
    EXPECT_FALSE(button("Cmd_Mod")->isEnabled());
    EXPECT_FALSE(button("Cmd_Canc")->isEnabled());
    EXPECT_FALSE(child<QWidget>("ProgressBar1")->isVisible());

    accounting::LibroCassa(*db).add(cashRow(1, QDate(2026, 1, 1), QStringLiteral("E"), 100));
    combo("Combo2")->setEditText(QStringLiteral("AQS"));
    clickLabel("LabelCod");
    EXPECT_EQ(0, rowCount());
    EXPECT_EQ(QString(), child<QLabel>("Label13")->text());

    pick("Combo1", QStringLiteral("Cassa contanti"));
    EXPECT_TRUE(combo("Combo4")->isEnabled());
    EXPECT_EQ(1, rowCount());
    EXPECT_EQ(QStringLiteral("0,00"), box("TextTotale")->text());
}

TEST_F(FormCassaTest, RowsEnteredInBothBooksGetTheirBalancesAndTotals)
{
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));
    enter("10/03/2026", "E", QStringLiteral("AQS (Quote sociali)"), "100");
    EXPECT_EQ(QStringLiteral("Entrate"), box("Text_Combo3")->text());
    EXPECT_EQ(QStringLiteral("Quote sociali"), box("Text_Descrizione")->text());
    button("Cmd_New")->click();
    EXPECT_TRUE(msgs.shown.empty());
    // After an add the date, the book and the code stay; kind, amount and note reset.
    EXPECT_EQ(QStringLiteral("10/03/2026"), box("TextDataEntrata")->text());
    EXPECT_EQ(QStringLiteral("AQS (Quote sociali)"), combo("Combo2")->currentText());
    EXPECT_EQ(QString(), combo("Combo3")->currentText());
    EXPECT_EQ(QStringLiteral("0"), box("TextImporto")->text());
    EXPECT_EQ(QString(), box("TextNote")->text());

    enter("12/03/2026", "U", QStringLiteral("SPE (Spese)"), "40", "Cancelleria");
    button("Cmd_New")->click();
    // Dated before the others: every later balance includes it.
    enter("01/03/2026", "E", QStringLiteral("AQS (Quote sociali)"), "0,10");
    button("Cmd_New")->click();

    EXPECT_EQ((QStringList{"01/03/2026", "10/03/2026", "12/03/2026"}), column(0));
    EXPECT_EQ((QStringList{"0,10", "100,10", "60,10"}), column(4));
    EXPECT_EQ((QStringList{"NIL", "NIL", "Cancelleria"}), column(6));
    EXPECT_EQ(QStringLiteral("€ 100,10"), box("TextTotaleEntrate")->text());
    EXPECT_EQ(QStringLiteral("€ 40,00"), box("TextTotaleUscite")->text());
    EXPECT_EQ(QStringLiteral("€ 60,10"), box("TextTotaleDifferenza")->text());

    pick("Combo1", QStringLiteral("Banca - bonifici"));
    EXPECT_EQ(0, rowCount());
    enter("05/03/2026", "E", QStringLiteral("AQS (Quote sociali)"), "0,20");
    button("Cmd_New")->click();
    enter("06/03/2026", "U", QStringLiteral("SPE (Spese)"), "0,30");
    button("Cmd_New")->click();
    EXPECT_EQ((QStringList{"0,20", "-0,10"}), column(4));
    EXPECT_EQ(QStringLiteral("€ -0,10"), box("TextTotaleDifferenza")->text());
    EXPECT_EQ((std::vector<qint64>{10, 10010, 6010}), balances(*db, 1));
}

TEST_F(FormCassaTest, FailedChecksShowTheirMessageAndKeepWhatWasTyped)
{
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));
    struct Case {
        const char* date;
        const char* amount;
        const char* message;
        MsgIcon icon;
    };
    const Case cases[] = {
        {"", "10", "Campo Data obbligatorio! ", MsgIcon::None},
        {"01/03/2026", "0", "Campo Importo obbligatorio! ", MsgIcon::None},
        {"30/02/2026", "10", "Data non valida! Scrivere la data nel formato gg/mm/aaaa. ", MsgIcon::Exclamation},
        {"01/03/2026", "10 euro", "Importo non valido! Scrivere l'importo in cifre, ad esempio 1.234,50 ",
         MsgIcon::Exclamation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        msgs.clear();
        enter(c.date, "E", QStringLiteral("AQS (Quote sociali)"), c.amount, "Nota");
        button("Cmd_New")->click();
        ASSERT_EQ(1u, msgs.shown.size());
        EXPECT_EQ(QString::fromUtf8(c.message), msgs.last().text);
        EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);
        EXPECT_EQ(MsgButtons::Ok, msgs.last().buttons);
        EXPECT_EQ(c.icon, msgs.last().icon);
        EXPECT_EQ(QString::fromUtf8(c.date), box("TextDataEntrata")->text());
        EXPECT_EQ(QString::fromUtf8(c.amount), box("TextImporto")->text());
        EXPECT_EQ(QStringLiteral("Nota"), box("TextNote")->text());
        EXPECT_EQ(QStringLiteral("E"), combo("Combo3")->currentText());
    }
    EXPECT_EQ(0, accounting::test::count(*db, QStringLiteral("LibroCassa")));
}

TEST_F(FormCassaTest, ModifyAndDeleteWorkOnTheClickedRow)
{
    accounting::LibroCassa book(*db);
    book.add(cashRow(1, QDate(2026, 2, 1), QStringLiteral("E"), 10000));
    book.add(cashRow(1, QDate(2026, 2, 2), QStringLiteral("U"), 3000, 2026, QStringLiteral("SPE")));
    book.add(cashRow(1, QDate(2026, 2, 3), QStringLiteral("U"), 1000, 2026, QStringLiteral("SPE")));
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));

    clickRow(1);
    EXPECT_EQ(QStringLiteral("U"), combo("Combo3")->currentText());
    EXPECT_EQ(QStringLiteral("02/02/2026"), box("TextDataEntrata")->text());
    EXPECT_EQ(QStringLiteral("30,00"), box("TextImporto")->text());
    EXPECT_EQ(QStringLiteral("SPE - Spese"), combo("Combo2")->currentText());
    EXPECT_TRUE(button("Cmd_Mod")->isEnabled());
    EXPECT_TRUE(button("Cmd_Canc")->isEnabled());
    EXPECT_FALSE(button("Cmd_New")->isEnabled());

    // An amount of 0 is accepted on modify; the date moves into another year, Anno stays.
    box("TextDataEntrata")->setText(QStringLiteral("02/01/2027"));
    box("TextImporto")->setText(QStringLiteral("0"));
    button("Cmd_Mod")->click();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_FALSE(button("Cmd_Mod")->isEnabled());
    EXPECT_TRUE(button("Cmd_New")->isEnabled());
    EXPECT_EQ(QString(), combo("Combo2")->currentText());
    EXPECT_EQ((QStringList{"100,00", "90,00", "90,00"}), column(4));
    EXPECT_EQ(QStringLiteral("02/01/2027"), cell(2, 0));

    // No changes nothing but leaves the buttons as after a delete.
    clickRow(0);
    msgs.answer(MsgResult::No);
    button("Cmd_Canc")->click();
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("Sei sicuro di voler eliminare questa voce? "), msgs.last().text);
    EXPECT_EQ(MsgButtons::YesNo, msgs.last().buttons);
    EXPECT_EQ(MsgIcon::Critical, msgs.last().icon);
    EXPECT_EQ(QStringLiteral("AVVISO"), msgs.last().title);
    EXPECT_EQ(3, rowCount());
    EXPECT_FALSE(button("Cmd_Mod")->isEnabled());
    EXPECT_FALSE(button("Cmd_Canc")->isEnabled());
    EXPECT_TRUE(button("Cmd_New")->isEnabled());

    clickRow(0);
    msgs.answer(MsgResult::Yes);
    button("Cmd_Canc")->click();
    EXPECT_EQ((QStringList{"-10,00", "-10,00"}), column(4));
    EXPECT_EQ(QStringLiteral("09/12/2026"), box("TextDataEntrata")->text());
    EXPECT_FALSE(button("Cmd_Canc")->isEnabled());
}

TEST_F(FormCassaTest, ClosedYearRefusesSilentlyAndResetsAsAfterAnAdd)
{
    accounting::LibroCassa book(*db);
    const qint64 id = *book.add(cashRow(1, QDate(2026, 2, 1), QStringLiteral("E"), 10000));
    accounting::test::closeYear(*db, 1, 2026);
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));

    enter("05/02/2026", "E", QStringLiteral("AQS (Quote sociali)"), "5");
    button("Cmd_New")->click();
    EXPECT_EQ(QStringLiteral("0"), box("TextImporto")->text());

    clickRow(0);
    box("TextImporto")->setText(QStringLiteral("1"));
    button("Cmd_Mod")->click();
    clickRow(0);
    button("Cmd_Canc")->click(); // the scripted answer is Yes
    ASSERT_EQ(1u, msgs.shown.size()); // only the delete question
    EXPECT_EQ(1, rowCount());
    EXPECT_EQ(QStringLiteral("100,00"), cell(0, 3));
    EXPECT_EQ(QString::number(id), cell(0, 7));
}

TEST_F(FormCassaTest, MonthCodeAndDateOrderFilters)
{
    accounting::LibroCassa book(*db);
    book.add(cashRow(1, QDate(2026, 1, 20), QStringLiteral("E"), 10000));
    book.add(cashRow(1, QDate(2026, 2, 2), QStringLiteral("U"), 3000, 2026, QStringLiteral("SPE")));
    book.add(cashRow(1, QDate(2026, 2, 9), QStringLiteral("U"), 500, 2026, QStringLiteral("AFF")));
    book.add(cashRow(1, QDate(2026, 3, 1), QStringLiteral("U"), 700, 2026, QStringLiteral("SPE")));
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));
    QLabel* notice = child<QLabel>("Label13");

    pick("Combo4", QStringLiteral("Febbraio"));
    EXPECT_EQ((QStringList{"02/02/2026", "09/02/2026"}), column(0));
    EXPECT_EQ(QStringLiteral("Filtro mese attivato: Febbraio"), notice->text());
    EXPECT_EQ(QStringLiteral("€ 35,00"), box("TextTotaleUscite")->text());
    // With a month chosen the code toggle does nothing.
    combo("Combo2")->setEditText(QStringLiteral("SPE (Spese)"));
    clickLabel("LabelCod");
    EXPECT_EQ(2, rowCount());
    // The date order toggle keeps the month.
    clickLabel("Label_Data");
    EXPECT_EQ((QStringList{"09/02/2026", "02/02/2026"}), column(0));
    EXPECT_EQ(QString(), notice->text());
    clickLabel("Label_Data");

    pick("Combo4", QString());
    EXPECT_EQ(4, rowCount());
    EXPECT_EQ(QString(), notice->text());

    clickLabel("LabelCod");
    EXPECT_EQ((QStringList{"SPE", "SPE"}), column(2));
    EXPECT_EQ(QStringLiteral("Filtro codice SPE (Spese) attivato"), notice->text());
    EXPECT_EQ(QStringLiteral("€ 37,00"), box("TextTotaleUscite")->text());
    clickLabel("LabelCod");
    EXPECT_EQ(4, rowCount());
    EXPECT_EQ(QString(), notice->text());
}

TEST_F(FormCassaTest, KindYearAndAmountBoxes)
{
    accounting::LibroCassa(*db).add(cashRow(1, QDate(2025, 5, 5), QStringLiteral("E"), 100, 2025));
    open();
    pick("Combo1", QStringLiteral("Cassa contanti"));

    QComboBox* kind = combo("Combo3");
    kind->setEditText(QStringLiteral("D"));
    emit kind->lineEdit()->textEdited(QStringLiteral("D"));
    EXPECT_EQ(QStringLiteral("Debito"), box("Text_Combo3")->text());
    ASSERT_EQ(1, combo("Combo2")->count());
    EXPECT_EQ(QStringLiteral("GIR (Giro)"), combo("Combo2")->itemText(0));
    pick("Combo3", QStringLiteral("E"));
    EXPECT_EQ(1, combo("Combo2")->count());

    child<QToolButton>("SpinDown")->click();
    EXPECT_EQ(QStringLiteral("2025"), box("TextAnno")->text());
    EXPECT_EQ(1, rowCount());
    child<QToolButton>("SpinUp")->click();
    EXPECT_EQ(0, rowCount());

    box("TextAnno")->setText(QStringLiteral("anno"));
    child<QToolButton>("SpinUp")->click();
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("L'anno deve essere un numero intero! "), msgs.last().text);
    EXPECT_EQ(QStringLiteral("anno"), box("TextAnno")->text());

    QLineEdit* amount = box("TextImporto");
    amount->setText(QStringLiteral("1234,5"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(amount, &out);
    EXPECT_EQ(QStringLiteral("1.234,50"), amount->text());
}

TEST_F(FormCassaTest, RegisterPrintsEveryBookOfTheYear)
{
    accounting::LibroCassa book(*db);
    book.add(cashRow(3, QDate(2026, 6, 2), QStringLiteral("E"), 123450));
    book.add(cashRow(1, QDate(2026, 6, 1), QStringLiteral("U"), 50000, 2026, QStringLiteral("SPE")));
    book.add(cashRow(1, QDate(2026, 6, 3), QStringLiteral("G"), 450, 2026, QStringLiteral("GIR")));
    book.add(cashRow(1, QDate(2025, 6, 3), QStringLiteral("E"), 777, 2025));
    open();

    button("StampaRegistro")->click();
    EXPECT_TRUE(msgs.shown.empty()) << msgs.texts().join(u'|').toStdString();
    EXPECT_EQ(3, accounting::test::count(*db, QStringLiteral("StampaLibroCassa")));
    const QList<QStringList> pages = reports::shownPageTexts(QStringLiteral("RegistroCassa"));
    ASSERT_EQ(1, pages.size());
    const QStringList& page = pages.front();
    for (const char* text : {"Associazione - Sezione locale", "Libro cassa anno:", "2026", "01/06/2026",
                             "€ 1.234,50", "€ 500,00", "€ 4,50", "€ 504,50", "+730,00", "Totale  entrate:",
                             "CODICE: E=Entrata U=uscita ", "09/12/2026"}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << page.join(u'|').toStdString();
    }
    EXPECT_LT(page.indexOf(QStringLiteral("01/06/2026")), page.indexOf(QStringLiteral("02/06/2026")));
    EXPECT_FALSE(page.contains(QStringLiteral("€ 7,77")));

    // An empty year prints the frame with zero sums and the minus form.
    box("TextAnno")->setText(QStringLiteral("2030"));
    button("StampaRegistro")->click();
    const QStringList empty = reports::shownPageTexts(QStringLiteral("RegistroCassa")).value(0);
    EXPECT_TRUE(empty.contains(QStringLiteral("-0,00"))) << empty.join(u'|').toStdString();
    EXPECT_TRUE(empty.contains(QStringLiteral("€ 0,00")));
    EXPECT_FALSE(empty.contains(QStringLiteral("01/06/2026")));
}

} // namespace
} // namespace vb
