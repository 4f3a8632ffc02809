#include "members/lists/ui/FormVisualizzaStampa.h"

#include "data/DataEnvironment.h"
#include "members/lists/tests/ListsFixture.h"
#include "members/lists/ui/ListsWindows.h"
#include "reports/engine/ReportShow.h"
#include "ui/WindowRegistry.h"

#include <QCalendarWidget>
#include <functional>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>

namespace vb::test {
namespace {

class FormVisualizzaStampaTest : public ListsTest {
protected:
    FormVisualizzaStampaTest() : m_oldHome(qgetenv("HOME"))
    {
        qputenv("HOME", home.path().toUtf8());
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        registerListsWindows();
        w = WindowRegistry::instance().showAs<FormVisualizzaStampa>(QStringLiteral("FormVisualizzaStampa"));
    }
    ~FormVisualizzaStampaTest() override
    {
        WindowRegistry::instance().closeAll();
        processEvents();
        data::DataEnvironment1::instance().Connection1().Close();
        qputenv("HOME", m_oldHome);
    }

    template <class T> T* child(const char* name)
    {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    // Presses a button and waits for the lists and marks it started.
    void click(const char* name)
    {
        child<QAbstractButton>(name)->click();
        w->waitForJobs();
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    void mouseClick(QWidget* target)
    {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    }
    void pickMonth(const char* combo, int index)
    {
        auto* c = child<QComboBox>(combo);
        c->setCurrentIndex(index);
        Q_EMIT c->activated(index);
    }
    qint64 count(const QString& sql)
    {
        auto st = db->query(sql);
        return st.next() ? st.integer(0) : -1;
    }
    // Two payers of 2026 and one of 2025.
    void addPayers()
    {
        addFee(addPerson({QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("7")}), QStringLiteral("2026"),
               2500);
        addFee(addPerson({QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("12")}),
               QStringLiteral("2026"), 123450);
        addFee(addPerson({QStringLiteral("Rossi"), QStringLiteral("Luca"), QStringLiteral("3")}), QStringLiteral("2025"),
               2500);
    }

    QTemporaryDir home;
    FormVisualizzaStampa* w = nullptr;

private:
    QByteArray m_oldHome;
};

TEST_F(FormVisualizzaStampaTest, OpensWithTheYearAndOnlyTheListControlsReady)
{
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Visualizza/Stampa"));
    EXPECT_EQ(box("TextAnno")->text(), QStringLiteral("2026"));
    EXPECT_FALSE(child<QPushButton>("Stampa")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("ExportExcel")->isEnabled());
    for (const char* hidden : {"Frame1", "Text_TotaleEuro", "LabelTotaleEuro", "Line4", "Calendar1", "ProgressBar1"}) {
        SCOPED_TRACE(hidden);
        EXPECT_FALSE(child<QWidget>(hidden)->isVisible());
    }
    EXPECT_EQ(child<QCalendarWidget>("Calendar1")->selectedDate(), QDate(2026, 12, 9));
    EXPECT_EQ(msgs.shown.size(), 0u);
}

TEST_F(FormVisualizzaStampaTest, FeeListShowsTheYearsPayersAndTheirTotal)
{
    addPayers();
    click("Option1");

    const QStringList lines = w->listLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("00012\tBianchi Anna>")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("00007\tVerdi Mario>")));
    EXPECT_TRUE(box("Text_TotaleEuro")->isVisible());
    EXPECT_EQ(box("Text_TotaleEuro")->text(), QStringLiteral("1.259,50"));
    EXPECT_TRUE(child<QPushButton>("Stampa")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("ExportExcel")->isEnabled());
    EXPECT_EQ(child<QLabel>("Label3")->text(),
              QStringLiteral("Soci Iscritti nell'anno indicato. Cambiare l'anno per visualizzare altri risultati"));
}

// Names padded to the same number of characters differ in width: the column fits the
// widest in pixels, so no name ends in "…".
TEST_F(FormVisualizzaStampaTest, EachListColumnShowsItsWidestTextWhole)
{
    addFee(addPerson({QStringLiteral("Illi"), QStringLiteral("Ilio"), QStringLiteral("1")}), QStringLiteral("2026"), 2500);
    addFee(addPerson({QStringLiteral("WMMW"), QStringLiteral("MWMWMMWMMW"), QStringLiteral("2")}), QStringLiteral("2026"),
           2500);
    click("Option1");

    auto* grid = child<QTableView>("List1");
    const QFontMetrics fm = grid->fontMetrics();
    ASSERT_EQ(grid->model()->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            const QString text = grid->model()->index(row, column).data().toString();
            SCOPED_TRACE(text.toStdString());
            EXPECT_GE(grid->columnWidth(column), fm.horizontalAdvance(text));
        }
    }
}

TEST_F(FormVisualizzaStampaTest, AYearThatIsNotANumberIsRefusedBeforeAnythingIsWritten)
{
    addPayers();
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 2"));
    db->execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1"));
    db->execute(QStringLiteral("INSERT INTO StampaSoci (Num, Cognome) VALUES (1, 'Vecchio')"));
    box("TextAnno")->setText(QStringLiteral("20'26"));
    click("Option5");

    for (const char* button : {"Option1", "Option3", "ComStampaSoci", "CmdSociDecaduti", "ComExpTXT"}) {
        SCOPED_TRACE(button);
        msgs.clear();
        click(button);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
        EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
        EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("Anno non valido!")));
    }
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi WHERE AddOK <> 2")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci WHERE Validate <> 1")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM StampaSoci")), 1);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
}

TEST_F(FormVisualizzaStampaTest, PrintingWithNoOptionSelectedOnlyWarns)
{
    addPayers();
    click("Option1");
    pickMonth("Combo1", 0);
    pickMonth("Combo2", 11);
    click("Option6");
    pickMonth("Combo2", 10); // a new month range clears Option6
    ASSERT_FALSE(child<QRadioButton>("Option6")->isChecked());
    const qint64 marked = count(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi WHERE AddOK = 3"));

    msgs.clear();
    click("Stampa");

    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Selezionare prima un'opzione e poi premere il pulsante di Stampa! "));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi WHERE AddOK = 3")), marked);
}

TEST_F(FormVisualizzaStampaTest, PrintingTheFeeListMarksTheMembersInGoodStanding)
{
    addPayers();
    click("Option1");
    click("Stampa");
    EXPECT_EQ(msgs.texts(), QStringList());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi WHERE AddOK = 3")), 2);
    EXPECT_FALSE(child<QProgressBar>("ProgressBar1")->isVisible());
}

TEST_F(FormVisualizzaStampaTest, EnrolmentPeriodNeedsTwoRealDates)
{
    Person p{QStringLiteral("Rossi"), QStringLiteral("Anna")};
    p.iscrizione = QDate(2026, 2, 1);
    addPerson(p);
    addPayers();
    click("Option1");
    const QStringList feeLines = w->listLines();

    box("TextDataDal")->setText(QStringLiteral("01/01/2026"));
    click("Option2"); // the end date is empty: the previous list stays
    EXPECT_EQ(w->listLines(), feeLines);
    EXPECT_EQ(msgs.shown.size(), 0u);

    box("TextDataAl")->setText(QStringLiteral("31/02/2026"));
    click("Option2");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(w->listLines(), feeLines);
    EXPECT_EQ(box("TextDataAl")->text(), QStringLiteral("31/02/2026"));

    box("TextDataAl")->setText(QStringLiteral("28/02/2026"));
    click("Option2");
    ASSERT_EQ(w->listLines().size(), 2);
    EXPECT_TRUE(w->listLines()[1].contains(QStringLiteral("\tROSSI ANNA>")));
    EXPECT_FALSE(box("Text_TotaleEuro")->isVisible());
}

TEST_F(FormVisualizzaStampaTest, DateBoxesTakeTheirDateFromTheCalendar)
{
    auto* calendar = child<QCalendarWidget>("Calendar1");
    auto* dal = box("TextDataDal");
    auto* al = box("TextDataAl");
    box("TextDataDal")->setText(QStringLiteral("x"));
    click("Option2");

    mouseClick(dal);
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_FALSE(child<QRadioButton>("Option2")->isChecked());
    calendar->setSelectedDate(QDate(2026, 1, 15));
    Q_EMIT calendar->clicked(calendar->selectedDate());
    EXPECT_EQ(dal->text(), QStringLiteral("15/01/2026"));
    EXPECT_FALSE(calendar->isVisible());

    mouseClick(al);
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 9));
    Q_EMIT calendar->clicked(calendar->selectedDate());
    EXPECT_EQ(al->text(), QStringLiteral("09/12/2026"));

    // A second click while the calendar waits for the box empties it.
    mouseClick(dal);
    mouseClick(dal);
    EXPECT_EQ(dal->text(), QString());
    // With no box waiting, a calendar click changes nothing.
    Q_EMIT calendar->clicked(QDate(2026, 5, 5));
    Q_EMIT calendar->clicked(QDate(2026, 5, 5));
    EXPECT_EQ(al->text(), QStringLiteral("09/12/2026"));
}

TEST_F(FormVisualizzaStampaTest, PrintOptionsPanelOpensAndCloses)
{
    addPayers();
    click("Option1");
    click("Option5");
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    EXPECT_EQ(w->listLines(), QStringList());
    EXPECT_FALSE(box("Text_TotaleEuro")->isVisible());
    click("ComExitFrame");
    EXPECT_FALSE(child<QGroupBox>("Frame1")->isVisible());

    click("Option5");
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &release);
    EXPECT_FALSE(child<QGroupBox>("Frame1")->isVisible());
}

TEST_F(FormVisualizzaStampaTest, BirthdaysNeedBothMonths)
{
    pickMonth("Combo1", 2);
    click("Option6");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_FALSE(child<QRadioButton>("Option6")->isChecked());

    const auto id = addPerson({QStringLiteral("Alfa"), QStringLiteral("Anna"), QStringLiteral("1"), QDate(1980, 3, 15)});
    addFee(id, QStringLiteral("2026"), 2500);
    pickMonth("Combo2", 3);
    click("Option6");
    ASSERT_EQ(w->listLines().size(), 2);
    EXPECT_TRUE(w->listLines()[1].endsWith(QStringLiteral("\t15/03/2026\t46")));
}

TEST_F(FormVisualizzaStampaTest, ExportsLandOnTheDesktopAndSayWhere)
{
    QDir(home.path()).mkdir(QStringLiteral("Desktop"));
    const QString desktop = QDir(home.path()).filePath(QStringLiteral("Desktop"));
    addPayers();
    click("Option1");
    box("TextAnno")->setText(QStringLiteral("2025")); // the export follows the list on show

    // The query and the file run on the worker: the press returns before anything is said.
    child<QPushButton>("ExportExcel")->click();
    EXPECT_EQ(msgs.shown.size(), 0u);
    EXPECT_TRUE(child<QProgressBar>("ProgressBar1")->isVisible());
    w->waitForJobs();
    const QString fees = QDir(desktop).filePath(QStringLiteral("Versamenti_soci_2026_2026-12-09.xlsx"));
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("INFORMAZIONI"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_TRUE(msgs.last().text.endsWith(fees));
    EXPECT_TRUE(QFile::exists(fees));

    click("ComExpTXT");
    EXPECT_TRUE(QFile::exists(QDir(desktop).filePath(QStringLiteral("Email_soci_2025_2026-12-09.xlsx"))));

    box("TextAnno")->setText(QStringLiteral("1999"));
    msgs.clear();
    click("ComExpTXT");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(msgs.last().text, QStringLiteral("Nessun nominativo da esportare per l'anno indicato. "));

    // A folder that cannot take the file: the failure is told with its cause.
    qputenv("HOME", QDir(home.path()).filePath(QStringLiteral("sparita")).toUtf8());
    msgs.clear();
    click("ExportExcel");
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("Esportazione non riuscita. Impossibile salvare il file ")))
        << msgs.last().text.toStdString();
}

} // namespace
} // namespace vb::test

namespace vb::test {
namespace {

bool printed(const QList<QStringList>& pages, const QString& text)
{
    for (const auto& page : pages)
        if (page.contains(text))
            return true;
    return false;
}

TEST_F(FormVisualizzaStampaTest, EachReportPrintsTheRowsItsButtonSelected)
{
    addPayers(); // Verdi and Bianchi paid 2026, Rossi only 2025
    const auto born = addPerson({QStringLiteral("Compleanno"), QStringLiteral("Carla"), QStringLiteral("9"),
                                 QDate(1980, 3, 15)});
    addFee(born, QStringLiteral("2025"), 2500);
    pickMonth("Combo1", 2);
    pickMonth("Combo2", 3);

    struct Case {
        std::function<void()> press;
        const char* report;
        QStringList expected;
        QStringList absent;
    };
    const Case cases[] = {
        {[&] { click("Option1"); click("Stampa"); }, "StampaSociEffettivi",
         {QStringLiteral("SOCI EFFETTIVI"), QStringLiteral("Bianchi"), QStringLiteral("Verdi"),
          QStringLiteral("Associazione - Sezione locale")},
         {QStringLiteral("Rossi")}},
        {[&] { click("Option3"); click("Stampa"); }, "StampaSoci",
         {QStringLiteral("ELENCO SOCI"), QStringLiteral("00012"), QStringLiteral("Verdi")},
         {QStringLiteral("Rossi")}},
        {[&] { click("Option6"); click("Stampa"); }, "ReportCompleanni",
         {QStringLiteral("COMPLEANNI SOCI"), QStringLiteral("Marzo"), QStringLiteral("Aprile"),
          QStringLiteral("Compleanno"), QStringLiteral("15/03/2026"),
          QStringLiteral("Il periodo di selezione è da inizio e fine mese.")},
         {QStringLiteral("Verdi")}},
        {[&] { click("Option5"); click("CmdSociDecaduti"); }, "StampaSociDecaduti",
         {QStringLiteral("Versamenti non effettuati nell'anno 2026 aggiornato al: 09/12/2026"),
          QStringLiteral("Rossi"), QStringLiteral("Compleanno")},
         {QStringLiteral("Verdi"), QStringLiteral("Totale:"), QStringLiteral("In data")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report);
        msgs.clear();
        c.press();
        EXPECT_EQ(msgs.texts(), QStringList());
        const auto pages = reports::shownPageTexts(QString::fromLatin1(c.report));
        for (const auto& t : c.expected)
            EXPECT_TRUE(printed(pages, t)) << t.toStdString();
        for (const auto& t : c.absent)
            EXPECT_FALSE(printed(pages, t)) << t.toStdString();
    }
}

} // namespace
} // namespace vb::test
