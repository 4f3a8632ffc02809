#include "start/tests/CoreWindowTest.h"

#include <QLabel>

namespace vb::test {
namespace {

const QString kWrong = QStringLiteral(
    "Username e/o Password sono errate! Prova a ripetere la procedura di autenticazione.    "
    "Controlla anche i caratteri maiuscolo o minuscolo in quanto considerati diversi dal sistema!   ");

class LoginTest : public CoreWindowTest {
protected:
    LoginTest()
    {
        addUser(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"), QStringLiteral("Rossi"), QStringLiteral("Mario"));
        // The main menu's backup question is answered No unless a test says otherwise.
        login = showWindow(QStringLiteral("FormPass"));
    }

    void press(const QString& user, const QString& pass)
    {
        type(login, QStringLiteral("Text_Username"), user);
        type(login, QStringLiteral("Text_Pass"), pass);
        click(login, QStringLiteral("Cmd_Conf"));
        processEvents();
    }
    void changePassword(const QString& pass)
    {
        type(login, QStringLiteral("Text_Pass"), pass);
        click(login, QStringLiteral("Cmd_CambiaPass"));
    }
    bool loginOpen() const { return window(QStringLiteral("FormPass")) != nullptr; }
    qint64 logRows() { return count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi")); }
    QWidget* ctl(const QString& name) { return control<QWidget>(login, name); }

    QWidget* login = nullptr;
};

TEST_F(LoginTest, LoadShowsTheHeadingAndTheEntryState)
{
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->windowTitle(), QStringLiteral("Autenticazione"));
    EXPECT_EQ(control<QLabel>(login, QStringLiteral("LabelTitolo"))->text(), QStringLiteral("Associazione - Sezione locale"));
    EXPECT_EQ(control<QLabel>(login, QStringLiteral("LabelIndirizzo"))->text(), QStringLiteral("Indirizzo, -  "));
    EXPECT_EQ(control<QLineEdit>(login, QStringLiteral("Text_Pass"))->echoMode(), QLineEdit::Password);
    type(login, QStringLiteral("Text_Pass"), QStringLiteral("Gelso"));
    EXPECT_EQ(control<QLineEdit>(login, QStringLiteral("Text_Pass"))->displayText(), QStringLiteral("*****"));
    EXPECT_TRUE(ctl(QStringLiteral("Cmd_Conf"))->styleSheet().contains(QStringLiteral("#FF0000")));
    EXPECT_TRUE(ctl(QStringLiteral("Cmd_CambiaPass"))->isHidden());
    EXPECT_FALSE(control<QLabel>(login, QStringLiteral("Image1"))->pixmap().isNull());
}

TEST_F(LoginTest, TwoValidPressesEnterTheMainMenuWithOneOpenAccessLogRow)
{
    msgs.answer(MsgResult::No); // the main menu's backup question
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    EXPECT_TRUE(loginOpen());
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(ctl(QStringLiteral("Cmd_Conf"))->styleSheet().contains(QStringLiteral("#00FF00")));
    EXPECT_FALSE(ctl(QStringLiteral("Text_Username"))->isEnabled());
    EXPECT_FALSE(ctl(QStringLiteral("Cmd_CambiaPass"))->isHidden());
    EXPECT_EQ(logRows(), 0);

    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    EXPECT_FALSE(loginOpen());
    EXPECT_NE(window(QStringLiteral("FormStart")), nullptr);
    auto st = db->query(QStringLiteral("SELECT Cognome, Nome, DataIn, OraIn, DataOut, Controllo FROM TabellaRegistroAccessi"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.text(0), QStringLiteral("Rossi"));
    EXPECT_EQ(st.text(1), QStringLiteral("Mario"));
    EXPECT_EQ(st.text(2), QStringLiteral("2026-12-09"));
    EXPECT_EQ(st.text(3), QStringLiteral("10:07:00"));
    EXPECT_TRUE(st.isNull(4));
    EXPECT_EQ(st.integer(5), 0);
    EXPECT_FALSE(st.next());
}

TEST_F(LoginTest, WrongLetterCaseIsRefusedAndAWrongAttemptKeepsTheCount)
{
    const std::pair<const char*, const char*> wrong[] = {
        {"rosmar17", "Gelso.42"}, {"RosMar17", "gelso.42"}, {"ROSMAR17", "GELSO.42"}, {"RosMar17", "Gelso.4"}};
    for (const auto& [user, pass] : wrong) {
        SCOPED_TRACE(user);
        msgs.clear();
        press(QString::fromUtf8(user), QString::fromUtf8(pass));
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.last().text, kWrong);
        EXPECT_EQ(msgs.last().buttons, MsgButtons::OkCancel);
        EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
        EXPECT_EQ(msgs.last().title, QStringLiteral("AVVISO"));
        EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Username"))->text().isEmpty());
        EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Pass"))->text().isEmpty());
        EXPECT_TRUE(loginOpen());
    }
    // One valid press, a wrong one answered OK, and the next valid press completes.
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    press(QStringLiteral("RosMar17"), QStringLiteral("sbagliata"));
    EXPECT_TRUE(ctl(QStringLiteral("Text_Username"))->isEnabled());
    msgs.answer(MsgResult::No);
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    EXPECT_FALSE(loginOpen());
    EXPECT_EQ(logRows(), 1);
    EXPECT_EQ(programEnds, 0);
}

TEST_F(LoginTest, CancelOnTheWrongLoginMessageEndsTheProgram)
{
    msgs.answer(MsgResult::Cancel);
    press(QStringLiteral("RosMar17"), QStringLiteral("x"));
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(window(QStringLiteral("FormStart")), nullptr);
}

TEST_F(LoginTest, AnEmptyBoxAsksForBoth)
{
    for (const auto& [user, pass] : {std::pair{"RosMar17", ""}, std::pair{"", "Gelso.42"}}) {
        msgs.clear();
        press(QString::fromUtf8(user), QString::fromUtf8(pass));
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.last().text, QStringLiteral("Inserisci la nuova username e la nuova password nelle caselle "
                                                   "predisposte. Premi OK per confermare l'inserimento"));
        EXPECT_EQ(msgs.last().buttons, MsgButtons::Ok);
        EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
        EXPECT_EQ(msgs.last().title, QStringLiteral("IMPOSTA NUOVO ACCAUNT"));
        EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Username"))->text().isEmpty());
        EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Pass"))->text().isEmpty());
    }
}

TEST_F(LoginTest, AnEmptyPasswordAfterAValidPressEmptiesTheUserBoxAndLetsItTakeANameAgain)
{
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    ASSERT_FALSE(ctl(QStringLiteral("Text_Username"))->isEnabled());
    type(login, QStringLiteral("Text_Pass"), QString());
    click(login, QStringLiteral("Cmd_Conf"));
    EXPECT_EQ(msgs.last().title, QStringLiteral("IMPOSTA NUOVO ACCAUNT"));
    EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Username"))->text().isEmpty());
    EXPECT_TRUE(ctl(QStringLiteral("Text_Username"))->isEnabled());
}

TEST_F(LoginTest, TheDefaultPasswordMustBeChangedBeforeEntering)
{
    addUser(QStringLiteral("D'AAnn17"), QStringLiteral("Tramonto"), QStringLiteral("D'Amico"), QStringLiteral("Anna"));
    press(QStringLiteral("D'AAnn17"), QStringLiteral("Tramonto"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Cambiare la Password!\nLa password di default (Tramonto) al primo accesso "
                                               "deve essere sostituita per poter continuare. "));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_FALSE(ctl(QStringLiteral("Cmd_Conf"))->isEnabled());
    EXPECT_FALSE(ctl(QStringLiteral("Text_Username"))->isEnabled());
    EXPECT_FALSE(ctl(QStringLiteral("Cmd_CambiaPass"))->isHidden());
    EXPECT_TRUE(control<QLineEdit>(login, QStringLiteral("Text_Pass"))->text().isEmpty());

    // The default again is refused; an empty box does nothing.
    changePassword(QStringLiteral("Tramonto"));
    EXPECT_EQ(msgs.last().text, QStringLiteral("Immessa Password non valida! "));
    EXPECT_EQ(msgs.last().icon, MsgIcon::None);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_FALSE(ctl(QStringLiteral("Cmd_Conf"))->isEnabled());
    msgs.clear();
    changePassword(QString());
    EXPECT_TRUE(msgs.shown.empty());

    changePassword(QStringLiteral("l'Alba"));
    EXPECT_EQ(msgs.last().text, QStringLiteral("Password sostituita con successo. Ripetere la procedura di autenticazione "
                                               "con la nuova password. "));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("NUOVA PASSWORD"));
    EXPECT_TRUE(ctl(QStringLiteral("Cmd_Conf"))->isEnabled());
    EXPECT_TRUE(ctl(QStringLiteral("Cmd_CambiaPass"))->isHidden());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Username = 'D''AAnn17' AND Pass = 'l''Alba'")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Pass = 'Gelso.42'")), 1);

    // The count starts again: the first press with the new password does not enter.
    press(QStringLiteral("D'AAnn17"), QStringLiteral("l'Alba"));
    EXPECT_TRUE(loginOpen());
    msgs.answer(MsgResult::No);
    press(QStringLiteral("D'AAnn17"), QStringLiteral("l'Alba"));
    EXPECT_FALSE(loginOpen());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi WHERE Cognome = 'D''Amico'")), 1);
}

TEST_F(LoginTest, ChangingThePasswordAfterAValidPressStartsTheCountAgain)
{
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    changePassword(QStringLiteral("Noce.7"));
    press(QStringLiteral("RosMar17"), QStringLiteral("Noce.7"));
    EXPECT_TRUE(loginOpen());
    msgs.answer(MsgResult::No);
    press(QStringLiteral("RosMar17"), QStringLiteral("Noce.7"));
    EXPECT_FALSE(loginOpen());
}

TEST_F(LoginTest, TheAdministratorEntersTheUsersWindowWithoutAnAccessLogRow)
{
    press(QStringLiteral("Nimbo"), QStringLiteral("Tramonto"));
    changePassword(QStringLiteral("Cielo"));
    press(QStringLiteral("Nimbo"), QStringLiteral("Cielo"));
    press(QStringLiteral("Nimbo"), QStringLiteral("Cielo"));
    EXPECT_FALSE(loginOpen());
    EXPECT_NE(window(QStringLiteral("FormAutorizzazioni")), nullptr);
    EXPECT_EQ(window(QStringLiteral("FormStart")), nullptr);
    EXPECT_EQ(logRows(), 0);
}

TEST_F(LoginTest, AfterTheAdministratorLeavesTheUsersWindowTheNextUserStillNeedsTwoPresses)
{
    db->execute(QStringLiteral("UPDATE TabellaPass SET Pass = 'Cielo' WHERE Username = 'Nimbo'"));
    press(QStringLiteral("Nimbo"), QStringLiteral("Cielo"));
    press(QStringLiteral("Nimbo"), QStringLiteral("Cielo"));
    QWidget* users = window(QStringLiteral("FormAutorizzazioni"));
    ASSERT_NE(users, nullptr);
    click(users, QStringLiteral("Cmd_Exit"));
    processEvents();
    login = window(QStringLiteral("FormPass"));
    ASSERT_NE(login, nullptr);

    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    EXPECT_TRUE(loginOpen());
    EXPECT_EQ(logRows(), 0);
    msgs.answer(MsgResult::No);
    press(QStringLiteral("RosMar17"), QStringLiteral("Gelso.42"));
    EXPECT_FALSE(loginOpen());
    EXPECT_EQ(logRows(), 1);
}

TEST_F(LoginTest, TwoEqualUserRowsStillNeedTwoPresses)
{
    addUser(QStringLiteral("VerGia10"), QStringLiteral("pw"), QStringLiteral("Verdi"), QStringLiteral("Giacomo"));
    addUser(QStringLiteral("VerGia10"), QStringLiteral("pw"), QStringLiteral("Verdi"), QStringLiteral("Gianna"));
    press(QStringLiteral("VerGia10"), QStringLiteral("pw"));
    EXPECT_TRUE(loginOpen());
    EXPECT_EQ(logRows(), 0);
    msgs.answer(MsgResult::No);
    press(QStringLiteral("VerGia10"), QStringLiteral("pw"));
    EXPECT_FALSE(loginOpen());
    EXPECT_EQ(logRows(), 1);
}

} // namespace
} // namespace vb::test
