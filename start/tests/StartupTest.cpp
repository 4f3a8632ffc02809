#include "start/tests/CoreWindowTest.h"

#include "core/Intestazione.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QTimer>

#include <functional>

namespace vb::test {
namespace {

class StartupTest : public CoreWindowTest {
protected:
    QWidget* start() { return showWindow(QStringLiteral("FormCopyraight")); }

    static void fireTimer(QWidget* splash)
    {
        auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
        ASSERT_NE(timer, nullptr);
        QMetaObject::invokeMethod(timer, "timeout");
        processEvents();
    }

    void setHeading(const Intestazione& h)
    {
        db->execute(QStringLiteral("UPDATE Impostazioni SET Intestazione = ?, Indirizzo = ?, Num = ?, CAP = ?, Citta = ?, "
                                   "CodiceFiscale = ? WHERE CodiceImpostazioni = 1"),
                    {h.Intestazione, h.Indirizzo, h.Num, h.CAP, h.Citta, h.CodiceFiscale});
    }

    void typeHeading(QWidget* w, const QString& cap)
    {
        type(w, QStringLiteral("Text_Titolo"), QStringLiteral("Società Amici del Parco"));
        type(w, QStringLiteral("Text_Indirizzo"), QStringLiteral("Via dell'Orto"));
        type(w, QStringLiteral("Text_Num"), QStringLiteral("12/b"));
        type(w, QStringLiteral("Text_CAP"), cap);
        type(w, QStringLiteral("Text_Citta"), QStringLiteral("Città di Castello"));
        type(w, QStringLiteral("Text_CodFiscale"), QStringLiteral("90012345678"));
    }
};

TEST_F(StartupTest, NormalStartShowsTheHeadingAndHandsOverToTheLoginAfterTheTimer)
{
    setHeading({QStringLiteral("Pro Loco Valmora"), QStringLiteral("Piazza Grande"), QStringLiteral("3"),
                QStringLiteral("06012"), QStringLiteral("Valmora"), QStringLiteral("Cod. fiscale 91000000001")});
    QWidget* splash = start();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_EQ(control<QLabel>(splash, QStringLiteral("LabelTitolo"))->text(), QStringLiteral("Pro Loco Valmora"));
    EXPECT_EQ(control<QLabel>(splash, QStringLiteral("LabelIndirizzo"))->text(),
              QStringLiteral("Piazza Grande,3 - 06012 Valmora"));
    EXPECT_EQ(control<QLabel>(splash, QStringLiteral("LabelCodFiscale"))->text(),
              QStringLiteral("Cod. fiscale 91000000001"));
    EXPECT_EQ(control<QLabel>(splash, QStringLiteral("LabelVersione"))->text(), QStringLiteral("Versione 04.20"));
    EXPECT_FALSE(control<QLabel>(splash, QStringLiteral("Image1"))->pixmap().isNull());
    EXPECT_FALSE(control<QWidget>(splash, QStringLiteral("Text_Titolo"))->isVisible());
    auto* timer = splash->findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_EQ(timer->interval(), 2500);
    EXPECT_EQ(data::DataEnvironment1::instance().Connection1().State(), 1);
    EXPECT_EQ(window(QStringLiteral("FormPass")), nullptr);

    fireTimer(splash);
    EXPECT_NE(window(QStringLiteral("FormPass")), nullptr);
    EXPECT_EQ(window(QStringLiteral("FormCopyraight")), nullptr);
    EXPECT_EQ(programEnds, 0);
}

TEST_F(StartupTest, OnlyCodIntOneAsksForTheHeadingAndEveryStartWritesItBackToZero)
{
    struct Case {
        const char* codInt;
        bool entry;
    };
    // "" reads as "Error"; "p" is what a missing key reads as.
    const Case cases[] = {{"1", true}, {" 1 ", true}, {"0", false}, {"", false}, {"p", false}, {"sì", false}, {"2", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codInt);
        folder.setIni(QStringLiteral("Cod_Int"), QString::fromUtf8(c.codInt));
        msgs.clear();
        QWidget* splash = start();
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(control<QWidget>(splash, QStringLiteral("Text_CAP"))->isVisible(), c.entry);
        EXPECT_EQ(control<QWidget>(splash, QStringLiteral("ComRegIntestazione"))->isVisible(), c.entry);
        EXPECT_EQ(splash->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive(), !c.entry);
        if (c.entry) {
            ASSERT_EQ(msgs.shown.size(), 1u);
            EXPECT_EQ(msgs.last().text,
                      QStringLiteral("Compila i campi con i dati Intestazione,Indirizzo e Codice fiscale. Premi infine il "
                                     "pulsante registra intestazione per memorizzare."));
            EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
            EXPECT_EQ(msgs.last().title, QStringLiteral("Aggiorna intestazione"));
            EXPECT_EQ(control<QLineEdit>(splash, QStringLiteral("Text_Citta"))->text(), QStringLiteral("Città"));
            EXPECT_EQ(control<QLineEdit>(splash, QStringLiteral("Text_Citta"))->toolTip(),
                      QStringLiteral("Prima di scrivere cancellare Città"));
        } else {
            EXPECT_TRUE(msgs.shown.empty());
        }
        EXPECT_EQ(folder.ini(QStringLiteral("Cod_Int")), QStringLiteral("0"));
        WindowRegistry::instance().closeAll();
        processEvents();
    }
}

TEST_F(StartupTest, AMissingCodIntKeyIsANormalStart)
{
    QFile ini(folder.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    text.replace("Cod_Int=0", "");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(text);
    ini.close();

    QWidget* splash = start();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_TRUE(splash->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    EXPECT_EQ(folder.ini(QStringLiteral("Cod_Int")), QStringLiteral("0"));
}

TEST_F(StartupTest, StoredHeadingKeepsTheOldPostalCodeWhenTheTypedOneIsTooLongAndOpensTheNextWindow)
{
    struct Case {
        const char* cap;
        bool otherUser;
        const char* storedCap;
        const char* next;
    };
    const Case cases[] = {
        {"52100", false, "52100", "FormAutorizzazioni"}, // only the administrator: the first users come next
        {"521000", true, "06012", "FormPass"},
        {"", true, "", "FormPass"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        setHeading({QStringLiteral("Vecchia"), QStringLiteral("Via Vecchia"), QStringLiteral("1"), QStringLiteral("06012"),
                    QStringLiteral("Borgo"), QStringLiteral("Cod. fiscale 1")});
        db->execute(QStringLiteral("DELETE FROM TabellaPass WHERE Username <> 'Nimbo'"));
        if (c.otherUser)
            addUser(QStringLiteral("RosMar17"), QStringLiteral("x"), QStringLiteral("Rossi"), QStringLiteral("Mario"));
        folder.setIni(QStringLiteral("Cod_Int"), QStringLiteral("1"));
        msgs.clear();
        QWidget* splash = start();
        ASSERT_NE(splash, nullptr);
        typeHeading(splash, QString::fromUtf8(c.cap));
        click(splash, QStringLiteral("ComRegIntestazione"));

        ASSERT_EQ(msgs.shown.size(), 3u);
        EXPECT_EQ(msgs.shown[1].text, QStringLiteral("Sei sicuro della correttezza delle intestazioni? \n"
                                                     "Una volta confermato non sarà più possibile modificarle!"));
        EXPECT_EQ(msgs.shown[1].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(msgs.shown[1].icon, MsgIcon::Exclamation);
        EXPECT_EQ(msgs.shown[1].title, QStringLiteral("ATTENZIONE"));
        EXPECT_EQ(msgs.shown[2].text, QStringLiteral("Cambio intestazione effettuato con successo."));
        EXPECT_EQ(msgs.shown[2].icon, MsgIcon::Information);
        EXPECT_EQ(msgs.shown[2].title, QStringLiteral("INFORMAZIONI"));

        const Intestazione h = readIntestazione(*db);
        EXPECT_EQ(h.Intestazione, QStringLiteral("Società Amici del Parco"));
        EXPECT_EQ(h.Indirizzo, QStringLiteral("Via dell'Orto"));
        EXPECT_EQ(h.Num, QStringLiteral("12/b"));
        EXPECT_EQ(h.CAP, QString::fromUtf8(c.storedCap));
        EXPECT_EQ(h.Citta, QStringLiteral("Città di Castello"));
        EXPECT_EQ(h.CodiceFiscale, QStringLiteral("Cod. fiscale 90012345678"));
        processEvents();
        EXPECT_EQ(window(QStringLiteral("FormCopyraight")), nullptr);
        EXPECT_NE(window(QString::fromUtf8(c.next)), nullptr);
        EXPECT_EQ(programEnds, 0);
        WindowRegistry::instance().closeAll();
        processEvents();
    }
}

TEST_F(StartupTest, CancellingTheConfirmationStoresNothingAndKeepsTheTypedText)
{
    folder.setIni(QStringLiteral("Cod_Int"), QStringLiteral("1"));
    QWidget* splash = start();
    ASSERT_NE(splash, nullptr);
    typeHeading(splash, QStringLiteral("52100"));
    msgs.answer(MsgResult::Cancel);
    click(splash, QStringLiteral("ComRegIntestazione"));
    EXPECT_EQ(readIntestazione(*db).Intestazione, QStringLiteral("Associazione - Sezione locale"));
    EXPECT_EQ(window(QStringLiteral("FormCopyraight")), splash);
    EXPECT_EQ(control<QLineEdit>(splash, QStringLiteral("Text_CAP"))->text(), QStringLiteral("52100"));
}

TEST_F(StartupTest, TheFirstKeystrokeInAHeadingBoxReplacesItsPlaceholderWhetherReachedByClickOrTab)
{
    folder.setIni(QStringLiteral("Cod_Int"), QStringLiteral("1"));
    QWidget* splash = start();
    ASSERT_NE(splash, nullptr);
    splash->activateWindow();
    processEvents();
    auto typeKey = [](QWidget* to, Qt::Key key, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(to, &press);
        processEvents();
    };
    auto* citta = control<QLineEdit>(splash, QStringLiteral("Text_Citta"));
    const QPoint middle = citta->rect().center();
    QMouseEvent press(QEvent::MouseButtonPress, middle, citta->mapToGlobal(middle), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, middle, citta->mapToGlobal(middle), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    // A click gives the focus first, then places the cursor.
    citta->setFocus(Qt::MouseFocusReason);
    QApplication::sendEvent(citta, &press);
    QApplication::sendEvent(citta, &release);
    processEvents();
    ASSERT_TRUE(citta->hasFocus());
    typeKey(citta, Qt::Key_R, QStringLiteral("R"));
    EXPECT_EQ(citta->text(), QStringLiteral("R"));

    typeKey(citta, Qt::Key_Tab);
    auto* cf = control<QLineEdit>(splash, QStringLiteral("Text_CodFiscale"));
    ASSERT_TRUE(cf->hasFocus());
    typeKey(cf, Qt::Key_9, QStringLiteral("9"));
    EXPECT_EQ(cf->text(), QStringLiteral("9"));
}

TEST_F(StartupTest, TwoStartsAfterReArmingOnlyTheFirstAsksForTheHeading)
{
    folder.setIni(QStringLiteral("Cod_Int"), QStringLiteral("1"));
    QWidget* first = start();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(control<QWidget>(first, QStringLiteral("ComRegIntestazione"))->isVisible());
    first->close();
    processEvents();
    EXPECT_EQ(programEnds, 1); // closed with nothing else open

    QWidget* second = start();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(control<QWidget>(second, QStringLiteral("ComRegIntestazione"))->isVisible());
    EXPECT_TRUE(second->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

TEST_F(StartupTest, AFailedLoadShowsTheErrorStartsNoTimerAndClosingEndsTheProgram)
{
    struct Case {
        const char* what;
        std::function<void()> breakIt;
        const char* error;
    };
    const Case cases[] = {
        {"heading row missing", [this] { db->execute(QStringLiteral("DELETE FROM Impostazioni")); },
         "Intestazione dell'associazione non trovata"},
        {"archive missing", [this] { db.reset(); QFile::remove(folder.databasePath()); }, "Archivio non trovato"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.breakIt();
        msgs.clear();
        programEnds = 0;
        QWidget* splash = start();
        ASSERT_NE(splash, nullptr);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_TRUE(msgs.last().text.contains(QString::fromUtf8(c.error))) << msgs.last().text.toStdString();
        EXPECT_EQ(msgs.last().icon, MsgIcon::None);
        EXPECT_TRUE(msgs.last().title.isEmpty());
        EXPECT_FALSE(splash->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        splash->close();
        processEvents();
        EXPECT_EQ(programEnds, 1);
    }
}

} // namespace
} // namespace vb::test
