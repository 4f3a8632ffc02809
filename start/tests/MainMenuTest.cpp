#include "start/tests/CoreWindowTest.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace vb::test {
namespace {

const QString kBackupQuestion = QStringLiteral(
    "Prima di procedere e consigliato effettuare una copia di backup dell'archivio. Desideri effettuare una copia di "
    "backup? (Questa richiesta è proposta ogni volta che si avvia il programma)\n (premi SI per confermare NO per uscire)");

class MainMenuTest : public CoreWindowTest {
protected:
    QWidget* openMenu(MsgResult backupAnswer = MsgResult::No)
    {
        msgs.answer(backupAnswer);
        return showWindow(QStringLiteral("FormStart"));
    }
    void logRow(const char* dataIn, int controllo)
    {
        db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome, DataIn, OraIn, DataOut, OraOut, "
                                   "Controllo) VALUES ('Rossi', 'Mario', ?, '08:00:00', ?, ?, ?)"),
                    {QString::fromUtf8(dataIn), controllo ? db::Param(QStringLiteral("2026-11-30")) : db::Param(nullptr),
                     controllo ? db::Param(QStringLiteral("12:00:00")) : db::Param(nullptr), controllo});
    }
    QStringList logRows()
    {
        QStringList out;
        auto st = db->query(QStringLiteral("SELECT DataIn, DataOut, OraOut, Controllo FROM TabellaRegistroAccessi ORDER BY rowid"));
        while (st.next())
            out << st.text(0) + u' ' + st.text(1) + u' ' + st.text(2) + u' ' + QString::number(st.integer(3));
        return out;
    }
    // Rows of an earlier run left open, one closed, and the row of this login.
    void fillLog()
    {
        logRow("2026-11-30", 1);
        logRow("2026-12-01", 0);
        logRow("2026-12-09", 0);
    }
    const QStringList stamped{QStringLiteral("2026-11-30 2026-11-30 12:00:00 1"),
                              QStringLiteral("2026-12-01 2026-12-09 10:07:00 1"),
                              QStringLiteral("2026-12-09 2026-12-09 10:07:00 1")};
};

TEST_F(MainMenuTest, LoadAsksForTheBackupAndOpensTheReportsConnection)
{
    QWidget* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("Menu' START"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, kBackupQuestion);
    EXPECT_EQ(msgs.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_TRUE(msgs.inputsShown.empty());
    EXPECT_EQ(data::DataEnvironment1::instance().Connection1().State(), 1);
    EXPECT_FALSE(control<QLabel>(menu, QStringLiteral("Image1"))->pixmap().isNull());

    struct Button {
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Button buttons[] = {
        {"ComAggiorna", "Gestione SOCI", "Gestione quote e rinnovi soci"},
        {"ComAmministrazione", "Amministrazione", "Registrazioni registro cassa"},
        {"ComVisualiza", "Visualizza/Stampa", "visualizzazioni e stampe"},
        {"ComMenu", "IMPOSTAZIONI", "Menù successivo"},
        {"ComExit", "", "Chiue ed esce dal programma"},
    };
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.name);
        auto* button = control<QPushButton>(menu, QString::fromUtf8(b.name));
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.tip));
    }
    click(menu, QStringLiteral("ComMenu"));
    EXPECT_NE(window(QStringLiteral("FormMenu")), nullptr);
    EXPECT_NE(window(QStringLiteral("FormStart")), nullptr);
}

TEST_F(MainMenuTest, AFailedBackupAtLoadIsShownAndTheMenuStaysUsable)
{
    QDir(folder.path()).mkdir(QStringLiteral("usb"));
    const QString usb = QDir(folder.path()).filePath(QStringLiteral("usb"));
    QFile blocker(QDir(usb).filePath(QStringLiteral("BackupRegArchivio")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should go
    blocker.close();
    msgs.answerInput(usb);
    QWidget* menu = openMenu(MsgResult::Yes);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(msgs.shown.size(), 2u);
    EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("Copia di salvataggio non riuscita"))) << msgs.last().text.toStdString();
    EXPECT_EQ(msgs.last().icon, MsgIcon::None);
    EXPECT_TRUE(msgs.last().title.isEmpty());
    EXPECT_TRUE(control<QWidget>(menu, QStringLiteral("ComExit"))->isEnabled());
}

TEST_F(MainMenuTest, ExitAsksAndThenClosesEveryOpenAccessLogRow)
{
    fillLog();
    QWidget* menu = openMenu();
    msgs.clear();
    msgs.answer(MsgResult::Cancel);
    click(menu, QStringLiteral("ComExit"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Sicuro di voler uscire dal programma? "));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(programEnds, 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi WHERE Controllo = 0")), 2);

    clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 7, 0)));
    click(menu, QStringLiteral("ComExit"));
    processEvents();
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(logRows(), stamped);
    EXPECT_EQ(window(QStringLiteral("FormStart")), nullptr);
}

TEST_F(MainMenuTest, TheCloseBoxEndsWithoutAskingAndStillClosesTheLog)
{
    fillLog();
    QWidget* menu = openMenu();
    msgs.clear();
    menu->close();
    processEvents();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(logRows(), stamped);
}

TEST_F(MainMenuTest, WithNoOpenRowTheProgramSimplyEnds)
{
    QWidget* menu = openMenu();
    msgs.clear();
    menu->close();
    processEvents();
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(logRows().isEmpty());
}

} // namespace
} // namespace vb::test
