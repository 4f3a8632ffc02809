#include "members/Anagrafica.h"
#include "members/tests/RegistryFixture.h"
#include "members/ui/FormAnagrafica.h"
#include "members/ui/MembersWindows.h"
#include "ui/WindowRegistry.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableView>

namespace vb {
namespace {

using members::test::completePerson;
using members::test::personCount;

class FormAnagraficaTest : public test::AppTest {
protected:
    FormAnagraficaTest() { registerMembersWindows(); }
    ~FormAnagraficaTest() override
    {
        WindowRegistry::instance().closeAll();
        test::processEvents();
    }

    FormAnagrafica* open() { return WindowRegistry::instance().showAs<FormAnagrafica>(QStringLiteral("FormAnagrafica")); }

    qint64 store(members::PersonRecord p)
    {
        members::Anagrafica registry(*db);
        qint64 key = 0;
        EXPECT_EQ(registry.add(p, &key), QString());
        return key;
    }

    template <class T> T* child(QWidget* w, const char* name)
    {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QLineEdit* box(QWidget* w, const char* name) { return child<QLineEdit>(w, name); }
    void click(QWidget* w, const char* name) { child<QPushButton>(w, name)->click(); }

    void type(QWidget* w, const members::PersonRecord& p)
    {
        box(w, "Text_Num")->setText(p.Num);
        box(w, "Text_Cognome")->setText(p.Cognome);
        box(w, "Text_Nome")->setText(p.Nome);
        box(w, "Text_LuogoNascita")->setText(p.LuogoNascita);
        box(w, "Text_DataNascita")->setText(p.DataNascita);
        box(w, "Text_Residente")->setText(p.Residente);
        box(w, "Text_CAPresidente")->setText(p.CAPresidente);
        box(w, "Text_IndirizzoResidente")->setText(p.IndirizzoResidente);
        box(w, "Text_Numero")->setText(p.Numero);
        box(w, "Text_Cellulare")->setText(p.Cellulare);
        box(w, "Text_PostaElettronica")->setText(p.PostaElettronica);
        box(w, "Text_CF")->setText(p.CF);
        child<QComboBox>(w, "Combo1")->setEditText(p.TipoSocio);
        child<QCheckBox>(w, "Check_AssensoTrattDatiPersonali")->setChecked(p.AssensoTrattDatiPersonali);
    }

    void leaveBirthDate(QWidget* w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box(w, "Text_DataNascita"), &out);
    }

    void searchFor(QWidget* w, const QString& text)
    {
        QLineEdit* search = box(w, "Text_Ricerca");
        search->setText(text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
        QCoreApplication::sendEvent(search, &release);
    }

    void clickLabel(QWidget* w, const char* name)
    {
        QWidget* label = child<QWidget>(w, name);
        const QPointF at(2, 2);
        QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(label, &release);
    }

    QTableView* grid(QWidget* w) { return child<QTableView>(w, "MSHFlexGrid1"); }

    // The grid's column |column| top to bottom.
    QStringList column(QWidget* w, int column)
    {
        QStringList out;
        const QAbstractItemModel* m = grid(w)->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, column).data().toString();
        return out;
    }

    void clickRow(QWidget* w, int row) { Q_EMIT grid(w)->clicked(grid(w)->model()->index(row, 1)); }
};

TEST_F(FormAnagraficaTest, LoadsTheRegistryNewestFirstWithEightColumns)
{
    members::PersonRecord member = completePerson(QStringLiteral("Rossi"));
    member.Num = QStringLiteral("12");
    store(member);
    store(completePerson(QStringLiteral("Bianchi")));
    FormAnagrafica* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("ANAGRAFICA"));
    EXPECT_EQ(grid(w)->model()->columnCount(), 8);
    EXPECT_TRUE(grid(w)->isColumnHidden(7));
    EXPECT_EQ(column(w, 0), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    EXPECT_EQ(column(w, 1), (QStringList{QStringLiteral("Bianchi"), QStringLiteral("Rossi")}));
    EXPECT_EQ(column(w, 6), (QStringList{QStringLiteral("00000"), QStringLiteral("00012")}));
    EXPECT_EQ(column(w, 7), (QStringList{QStringLiteral("3"), QStringLiteral("3")}));
    EXPECT_EQ(box(w, "Text_DataIscrizione")->text(), QStringLiteral("09/12/2026"));
    EXPECT_TRUE(msgs.shown.empty());
}

TEST_F(FormAnagraficaTest, AddSavesAndClearsTheEntryFields)
{
    FormAnagrafica* w = open();
    members::PersonRecord p = completePerson();
    p.CF.clear();
    type(w, p);
    click(w, "Cmd_New");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(box(w, "Text_CF")->text(), QStringLiteral("AAABBB00A00A000A"));
    EXPECT_EQ(box(w, "Text_Cognome")->text(), QStringLiteral("D'Amico"));
    EXPECT_EQ(personCount(*db), 0);

    click(w, "Cmd_New");
    EXPECT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(personCount(*db), 1);
    EXPECT_EQ(column(w, 1), QStringList{QStringLiteral("D'Amico")});
    EXPECT_EQ(box(w, "Text_Num")->text(), QStringLiteral("0"));
    EXPECT_EQ(box(w, "Text_DataIscrizione")->text(), QStringLiteral("09/12/2026"));
    for (const char* name : {"Text_Cognome", "Text_Nome", "Text_CF", "Text_DataNascita", "Text_PostaElettronica"})
        EXPECT_EQ(box(w, name)->text(), QString()) << name;
    EXPECT_EQ(child<QComboBox>(w, "Combo1")->currentText(), QString());
    EXPECT_FALSE(child<QCheckBox>(w, "Check_AssensoTrattDatiPersonali")->isChecked());
}

TEST_F(FormAnagraficaTest, BirthDateIsFormattedAndDuplicatesAreReported)
{
    const qint64 first = store(completePerson());
    const qint64 second = store(completePerson(QStringLiteral("D'AMICO"), QStringLiteral("ANNA")));
    FormAnagrafica* w = open();

    box(w, "Text_Cognome")->setText(QStringLiteral("Rossi"));
    box(w, "Text_DataNascita")->setText(QStringLiteral("16051978"));
    leaveBirthDate(w);
    EXPECT_EQ(box(w, "Text_DataNascita")->text(), QStringLiteral("16/05/1978"));
    EXPECT_TRUE(msgs.shown.empty());

    members::PersonRecord again = completePerson(QStringLiteral("d'amico"), QStringLiteral("Anna"), QStringLiteral("16051978"));
    type(w, again);
    box(w, "Text_DataIscrizione")->setText(QStringLiteral("01/01/2020"));
    leaveBirthDate(w);
    EXPECT_EQ(msgs.texts(), (QStringList{members::duplicateMessage(first), members::duplicateMessage(second)}));
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(box(w, "Text_Cognome")->text(), QString());
    EXPECT_EQ(box(w, "Text_DataNascita")->text(), QString());
    EXPECT_EQ(box(w, "Text_Num")->text(), QStringLiteral("0"));
    EXPECT_EQ(box(w, "Text_DataIscrizione")->text(), QStringLiteral("01/01/2020"));
    EXPECT_EQ(personCount(*db), 2);
}

TEST_F(FormAnagraficaTest, PersonLoadedForModifyIsNoDuplicateOfTheirOwnRow)
{
    const qint64 first = store(completePerson());
    FormAnagrafica* w = open();
    clickRow(w, 0);
    box(w, "Text_Titolo")->setText(QStringLiteral("Dott."));
    leaveBirthDate(w);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(box(w, "Text_Cognome")->text(), QStringLiteral("D'Amico"));
    EXPECT_EQ(box(w, "Text_Titolo")->text(), QStringLiteral("Dott."));
    EXPECT_TRUE(child<QPushButton>(w, "Cmd_Mod")->isEnabled());

    // Another person with the same surname, name and birth date is still reported.
    const qint64 twin = store(completePerson());
    click(w, "ComCLS");
    clickRow(w, 1);
    ASSERT_EQ(box(w, "Text_Cognome")->text(), QStringLiteral("D'Amico"));
    leaveBirthDate(w);
    EXPECT_EQ(msgs.texts(), QStringList{members::duplicateMessage(twin)});
    EXPECT_NE(twin, first);
}

TEST_F(FormAnagraficaTest, BirthDateThatIsNoDateIsEmptied)
{
    FormAnagrafica* w = open();
    for (const QString& bad : {QStringLiteral("31021980"), QStringLiteral("99999999"), QStringLiteral("abc")}) {
        SCOPED_TRACE(bad.toStdString());
        msgs.clear();
        box(w, "Text_Cognome")->setText(QStringLiteral("Rossi"));
        box(w, "Text_DataNascita")->setText(bad);
        leaveBirthDate(w);
        EXPECT_EQ(box(w, "Text_DataNascita")->text(), QString());
        EXPECT_EQ(box(w, "Text_Cognome")->text(), QStringLiteral("Rossi"));
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.last().text, QStringLiteral("Data non corretta...  Non inserire le barre / / "));
        EXPECT_EQ(msgs.last().icon, MsgIcon::Critical);
        EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    }
}

TEST_F(FormAnagraficaTest, OrdersBySortToggleAndBySurname)
{
    for (const char* s : {"Verdi", "Bianchi", "Rossi"})
        store(completePerson(QString::fromLatin1(s)));
    FormAnagrafica* w = open();
    const QStringList descending{QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")};
    const QStringList ascending{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    EXPECT_EQ(column(w, 0), descending);
    clickLabel(w, "LabelOrder");
    EXPECT_EQ(column(w, 0), ascending);
    clickLabel(w, "LabelOrder");
    EXPECT_EQ(column(w, 0), descending);
    clickLabel(w, "Label_Cognome");
    EXPECT_EQ(column(w, 1), (QStringList{QStringLiteral("Bianchi"), QStringLiteral("Rossi"), QStringLiteral("Verdi")}));
    clickLabel(w, "LabelOrder");
    EXPECT_EQ(column(w, 0), ascending);
}

TEST_F(FormAnagraficaTest, SearchOnEachKeyAndEmptyBoxListsAll)
{
    for (const char* s : {"Rossi", "Bruno", "ROMANO", "Neri"})
        store(completePerson(QString::fromLatin1(s)));
    FormAnagrafica* w = open();
    searchFor(w, QStringLiteral("ro"));
    EXPECT_EQ(column(w, 1), (QStringList{QStringLiteral("ROMANO"), QStringLiteral("Rossi")}));
    searchFor(w, QString());
    EXPECT_EQ(column(w, 0), (QStringList{QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("1")}));
}

TEST_F(FormAnagraficaTest, RowClickLoadsThePersonForModify)
{
    members::PersonRecord p = completePerson();
    p.Num = QStringLiteral("7");
    p.AssensoFotoVideoWeb = true;
    const qint64 key = store(p);
    FormAnagrafica* w = open();
    clickRow(w, 0);
    EXPECT_EQ(box(w, "Text_Cognome")->text(), QStringLiteral("D'Amico"));
    EXPECT_EQ(box(w, "Text_Num")->text(), QStringLiteral("00007"));
    EXPECT_EQ(box(w, "Text_DataNascita")->text(), QStringLiteral("16/05/1978"));
    EXPECT_EQ(child<QComboBox>(w, "Combo1")->currentText(), QStringLiteral("ORDINARI"));
    EXPECT_TRUE(child<QCheckBox>(w, "Check_AssensoFotoVideoWeb")->isChecked());
    EXPECT_FALSE(child<QPushButton>(w, "Cmd_New")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "Cmd_Mod")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "Cmd_Canc")->isEnabled());

    box(w, "Text_Nome")->setText(QStringLiteral("Annalisa"));
    box(w, "Text_PostaElettronica")->clear();
    click(w, "Cmd_Mod");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("La modifica richiesta è stata effettuata e completata con successo. "));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("INFORMAZIONI"));
    EXPECT_EQ(box(w, "Text_PostaElettronica")->text(), QStringLiteral("Non disponibile"));
    EXPECT_EQ(box(w, "Text_Nome")->text(), QStringLiteral("Annalisa"));
    EXPECT_FALSE(child<QPushButton>(w, "Cmd_Mod")->isEnabled());
    EXPECT_EQ(column(w, 2), QStringList{QStringLiteral("Annalisa")});
    EXPECT_EQ(members::Anagrafica(*db).load(key)->PostaElettronica, QStringLiteral("Non disponibile"));
}

// The room a box gives its text, between its frame and margins.
int textRoom(const QLineEdit* box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 4; // two pixels each side of the text
}

TEST_F(FormAnagraficaTest, LongestValuesShowWholeAtTheFirstSizeAndTheFormDoesNotShiftWithThem)
{
    members::PersonRecord p = completePerson(QStringLiteral("Bartolomei Santacroce"), QStringLiteral("Maria Giovanna"));
    p.IndirizzoResidente = QStringLiteral("Via Giuseppe Mazzini Vittorio Emanuele 2"); // 40 characters
    p.PostaElettronica = QStringLiteral("mariagiovanna.bartolomei@tiscali.it");       // 35
    p.CF = QStringLiteral("BRTMGV78E56H501W");                                        // 16
    p.EnteAppartenenza = QStringLiteral("Protezione civile del comune di Roma");
    store(p);
    FormAnagrafica* w = open();
    ASSERT_NE(w, nullptr);
    test::processEvents();
    std::vector<std::pair<QWidget*, QRect>> before;
    for (QWidget* c : w->findChildren<QWidget*>())
        before.emplace_back(c, c->geometry());

    clickRow(w, 0);
    test::processEvents();
    for (const char* name : {"Text_IndirizzoResidente", "Text_PostaElettronica", "Text_CF"}) {
        SCOPED_TRACE(name);
        const QLineEdit* b = box(w, name);
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), textRoom(b)) << b->text().toStdString();
    }
    for (const auto& [c, at] : before)
        EXPECT_EQ(c->geometry(), at) << c->objectName().toStdString() << " " << c->metaObject()->className();
}

TEST_F(FormAnagraficaTest, DeleteRemovesNonMembersOnlyAndNeedsAChosenRow)
{
    members::PersonRecord member = completePerson(QStringLiteral("Rossi"), QStringLiteral("Mario"));
    member.Num = QStringLiteral("00012");
    store(member);
    store(completePerson(QStringLiteral("Bianchi"), QStringLiteral("Ugo")));
    FormAnagrafica* w = open();

    clickRow(w, 1); // Rossi, a member
    click(w, "Cmd_Canc");
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Sicuro di voler eliminare questo nominativo (Rossi Mario)?   Una "
                                                 "volta eliminato non sarà piu possibile recuperarlo. "));
    EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.shown[1].text, QStringLiteral("Non è possibile cancellare dal registro il Socio (Rossi Mario)!   In "
                                                 "quanto per ragioni di storicità e di statistica i soci non possono "
                                                 "essere cancellati. "));
    EXPECT_EQ(msgs.shown[1].title, QStringLiteral("AVVISO"));
    EXPECT_EQ(personCount(*db), 2);

    msgs.clear();
    clickRow(w, 0); // Bianchi, card "0000"
    msgs.answer(MsgResult::No);
    click(w, "Cmd_Canc");
    EXPECT_EQ(personCount(*db), 2);
    click(w, "Cmd_Canc");
    EXPECT_EQ(personCount(*db), 1);
    EXPECT_EQ(column(w, 1), QStringList{QStringLiteral("Rossi")});
    EXPECT_EQ(box(w, "Text_Cognome")->text(), QString());

    // With no row chosen, modify and delete do nothing.
    msgs.clear();
    click(w, "ComCLS");
    type(w, completePerson(QStringLiteral("Neri")));
    click(w, "Cmd_Canc");
    click(w, "Cmd_Mod");
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(members::Anagrafica(*db).load(1)->Cognome, QStringLiteral("Rossi"));
    EXPECT_TRUE(child<QPushButton>(w, "Cmd_New")->isEnabled());
}

} // namespace
} // namespace vb
