#include "core/Utenti.h"
#include "start/tests/CoreWindowTest.h"

#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportShow.h"

#include <QListWidget>

namespace vb::test {
namespace {

class AutorizzazioniTest : public CoreWindowTest {
protected:
    AutorizzazioniTest() { users = showWindow(QStringLiteral("FormAutorizzazioni")); }

    QListWidget* list() { return control<QListWidget>(users, QStringLiteral("List1")); }
    QStringList items()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void add(const QString& cognome, const QString& nome, int minute)
    {
        clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, minute, 0)));
        type(users, QStringLiteral("Text_Cognome"), cognome);
        type(users, QStringLiteral("Text_Nome"), nome);
        click(users, QStringLiteral("Cmd_New"));
    }
    void clickRow(int row)
    {
        QListWidgetItem* item = list()->item(row);
        ASSERT_NE(item, nullptr);
        Q_EMIT list()->itemClicked(item);
    }
    QString box(const QString& name) { return control<QLineEdit>(users, name)->text(); }

    QWidget* users = nullptr;
};

TEST_F(AutorizzazioniTest, NewUsersGetAGeneratedNameAndTheDefaultPasswordAndAreListedBySurname)
{
    ASSERT_NE(users, nullptr);
    EXPECT_EQ(users->windowTitle(), QStringLiteral("Gestione Autorizzazioni"));
    EXPECT_TRUE(items().isEmpty()); // the administrator is never listed
    EXPECT_FALSE(control<QWidget>(users, QStringLiteral("Cmd_Canc"))->isEnabled());

    struct Case {
        const char* cognome;
        const char* nome;
        int minute;
        const char* username;
    };
    const Case cases[] = {
        {"Rossi", "Mario", 42, "RosMar42"},
        {"Bo", "Lucia", 7, "BoLuc17"}, // minute below 10 gets 10 more; two letters give 7 characters
        {"Bartolomei", "Massimiliano", 0, "BarMas10"},
        {"D'Amico", "Anna", 59, "D'AAnn59"},
        {"\U0001F33BFiorentini", "Zoe\u0301 Maria", 30, "\U0001F33BFiZoe\u030130"}, // an emoji and an accent are one character each
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.username);
        add(QString::fromUtf8(c.cognome), QString::fromUtf8(c.nome), c.minute);
        EXPECT_TRUE(box(QStringLiteral("Text_Cognome")).isEmpty());
        EXPECT_TRUE(box(QStringLiteral("Text_Nome")).isEmpty());
        auto st = db->query(QStringLiteral("SELECT Pass, Cognome, Nome, DataIns FROM TabellaPass WHERE Username = ?"),
                            {QString::fromUtf8(c.username)});
        ASSERT_TRUE(st.next());
        EXPECT_EQ(st.text(0), QStringLiteral("Tramonto"));
        EXPECT_EQ(st.text(1), QString::fromUtf8(c.cognome));
        EXPECT_EQ(st.text(2), QString::fromUtf8(c.nome));
        EXPECT_EQ(st.text(3), QStringLiteral("2026-12-09"));
        EXPECT_EQ(utenti::righeCorrispondenti(*db, QString::fromUtf8(c.username), QStringLiteral("Tramonto")).size(), 1);
    }
    EXPECT_EQ(items(), (QStringList{QStringLiteral("BarMas10\tBartolo\tMassimi\t\t09/12/2026"),
                                    QStringLiteral("BoLuc17\tBo\tLucia\t\t09/12/2026"),
                                    QStringLiteral("D'AAnn59\tD'Amico\tAnna\t\t09/12/2026"),
                                    QStringLiteral("RosMar42\tRossi\tMario\t\t09/12/2026"),
                                    QString::fromUtf8("\U0001F33BFiZoe\u030130\t\U0001F33BFioren\tZoe\u0301 Mar\t\t09/12/2026")}));

    // A row click loads the user by the name before the first tab.
    clickRow(1);
    EXPECT_EQ(box(QStringLiteral("Text_Accaunt")), QStringLiteral("BoLuc17"));
    EXPECT_EQ(box(QStringLiteral("Text_Cognome")), QStringLiteral("Bo"));
    EXPECT_EQ(box(QStringLiteral("Text_Nome")), QStringLiteral("Lucia"));
    EXPECT_TRUE(control<QWidget>(users, QStringLiteral("Cmd_Canc"))->isEnabled());
}

TEST_F(AutorizzazioniTest, NewDoesNothingWithoutBothNamesAndNeverModifiesAUser)
{
    type(users, QStringLiteral("Text_Cognome"), QStringLiteral("Rossi"));
    click(users, QStringLiteral("Cmd_New"));
    EXPECT_EQ(box(QStringLiteral("Text_Cognome")), QStringLiteral("Rossi")); // not cleared
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass")), 1);

    type(users, QStringLiteral("Text_Accaunt"), QStringLiteral("Nimbo"));
    type(users, QStringLiteral("Text_Nome"), QStringLiteral("Mario"));
    click(users, QStringLiteral("Cmd_New"));
    EXPECT_TRUE(box(QStringLiteral("Text_Accaunt")).isEmpty());
    EXPECT_TRUE(box(QStringLiteral("Text_Cognome")).isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Cognome = 'Rossi'")), 0);
}

TEST_F(AutorizzazioniTest, DeletingAUserDeletesEveryRowOfThatExactNameAndKeepsTheLog)
{
    add(QStringLiteral("Rossi"), QStringLiteral("Mario"), 7);
    add(QStringLiteral("Rossi"), QStringLiteral("Marta"), 7);
    addUser(QStringLiteral("rosmar17"), QStringLiteral("x"), QStringLiteral("Rosati"), QStringLiteral("Marco"));
    db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome, DataIn, OraIn, Controllo) "
                               "VALUES ('Rossi', 'Mario', '2026-12-01', '09:00:00', 1)"));
    ASSERT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Username = 'RosMar17' COLLATE BINARY")), 2);
    users->close();
    processEvents();
    users = showWindow(QStringLiteral("FormAutorizzazioni"));
    ASSERT_EQ(list()->count(), 3);
    clickRow(1);
    ASSERT_EQ(box(QStringLiteral("Text_Accaunt")), QStringLiteral("RosMar17"));

    msgs.answer(MsgResult::No);
    click(users, QStringLiteral("Cmd_Canc"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Sicuro di voler eliminare questo Nominativo ( Rossi Marta )?   Una volta "
                                               "eliminato non sarà piu possibile recuperarlo. "));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass")), 4);

    msgs.answer(MsgResult::Yes);
    click(users, QStringLiteral("Cmd_Canc"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Username = 'RosMar17' COLLATE BINARY")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Username = 'rosmar17' COLLATE BINARY")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi")), 1);
    EXPECT_EQ(items(), QStringList{QStringLiteral("rosmar17\tRosati\tMarco\t\t15/01/2026")});
    EXPECT_TRUE(box(QStringLiteral("Text_Accaunt")).isEmpty());
    EXPECT_FALSE(control<QWidget>(users, QStringLiteral("Cmd_Canc"))->isEnabled());
}

TEST_F(AutorizzazioniTest, TheAdministratorAndAnEmptyNameAreNeverDeleted)
{
    add(QStringLiteral("Rossi"), QStringLiteral("Mario"), 7);
    clickRow(0);
    for (const char* name : {"Nimbo", ""}) {
        SCOPED_TRACE(name);
        type(users, QStringLiteral("Text_Accaunt"), QString::fromUtf8(name));
        click(users, QStringLiteral("Cmd_Canc"));
        EXPECT_TRUE(msgs.shown.empty());
    }
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass")), 2);
}

TEST_F(AutorizzazioniTest, TheAccessLogIsShownOrClearedOnlyWhenConfirmed)
{
    data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
    db->execute(QStringLiteral("UPDATE Impostazioni SET Intestazione = 'Pro Loco Valmora' WHERE CodiceImpostazioni = 1"));
    db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome, DataIn, OraIn, DataOut, OraOut, Controllo) "
                               "VALUES ('Rossi', 'Mario', '2026-12-01', '09:15:00', '2026-12-01', '11:00:05', 1), "
                               "('D''Amico', 'Anna', '2026-12-09', '10:00:00', NULL, NULL, 0)"));
    struct Case {
        const char* what;
        std::vector<MsgResult> answers;
        size_t messages;
        qint64 rowsLeft;
    };
    const Case cases[] = {
        {"show", {MsgResult::Yes}, 1, 2},
        {"cancel", {MsgResult::Cancel}, 1, 2},
        {"clear, then cancel", {MsgResult::No, MsgResult::Cancel}, 2, 2},
        {"clear", {MsgResult::No, MsgResult::Ok}, 2, 0}, // the open row of the run in progress goes too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        msgs.clear();
        for (MsgResult a : c.answers)
            msgs.answer(a);
        click(users, QStringLiteral("ComVisAccessi"));
        ASSERT_EQ(msgs.shown.size(), c.messages) << msgs.last().text.toStdString();
        EXPECT_EQ(msgs.shown[0].text, QStringLiteral("Per visualizzare il registro premi il tasto SI, Per azzerare il "
                                                     "registro premi il tasto NO, Per uscire senza modifiche premi il "
                                                     "tasto ANNULLA "));
        EXPECT_EQ(msgs.shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(msgs.shown[0].icon, MsgIcon::Question);
        EXPECT_EQ(msgs.shown[0].title, QStringLiteral("ATTENZIONE"));
        if (c.messages == 2) {
            EXPECT_EQ(msgs.shown[1].text, QStringLiteral("Sicuro di voler azzerare il registro? \n"
                                                         "NOTA: Una volta azzerato non sarà più possibile recuperarlo."));
            EXPECT_EQ(msgs.shown[1].buttons, MsgButtons::OkCancel);
            EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Critical);
            EXPECT_EQ(msgs.shown[1].title, QStringLiteral("AVVISO"));
        }
        EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi")), c.rowsLeft);
    }

    // The log as shown by the first case, under the heading read at the press.
    const QStringList expected{
        QStringLiteral("Pro Loco Valmora"), QStringLiteral("REGISTRO ACCESSI"),
        QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("Data In"), QStringLiteral("Ora In"),
        QStringLiteral(" Data out"), QStringLiteral("Ora Out"),
        QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("01/12/2026"), QStringLiteral("09:15:00"),
        QStringLiteral("01/12/2026"), QStringLiteral("11:00:05"),
        QStringLiteral("D'Amico"), QStringLiteral("Anna"), QStringLiteral("09/12/2026"), QStringLiteral("10:00:00"),
        QStringLiteral("mercoledì 9 dicembre 2026"), QStringLiteral("1")};
    EXPECT_EQ(reports::shownPageTexts(QStringLiteral("ReportRegistroAccessi")), QList<QStringList>{expected});
    if (reports::ReportInstance* r = reports::existingReport(QStringLiteral("ReportRegistroAccessi")))
        delete r->preview();
}

TEST_F(AutorizzazioniTest, ModifyHeadingReArmsTheHeadingEntryOnlyWhenConfirmed)
{
    msgs.answer(MsgResult::Cancel);
    click(users, QStringLiteral("ModInt"));
    EXPECT_EQ(folder.ini(QStringLiteral("Cod_Int")), QStringLiteral("0"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Sicuro di voler modificare l'intestazione dell'appplicazione?"));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("INFORMAZIONE"));

    click(users, QStringLiteral("ModInt"));
    EXPECT_EQ(folder.ini(QStringLiteral("Cod_Int")), QStringLiteral("1"));
    ASSERT_EQ(msgs.shown.size(), 3u);
    EXPECT_EQ(msgs.last().text,
              QStringLiteral("Per poter rendere effettiva la modifica dell'intestazione chiudere e riavviare l'appplicazione"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("INFORMAZIONE"));
}

TEST_F(AutorizzazioniTest, ExitLeadsBackToTheLogin)
{
    click(users, QStringLiteral("Cmd_Exit"));
    processEvents();
    EXPECT_EQ(window(QStringLiteral("FormAutorizzazioni")), nullptr);
    EXPECT_NE(window(QStringLiteral("FormPass")), nullptr);
    EXPECT_EQ(programEnds, 0);
}

} // namespace
} // namespace vb::test
