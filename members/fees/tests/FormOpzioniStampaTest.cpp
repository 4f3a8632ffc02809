#include "data/DataEnvironment.h"
#include "members/fees/FeePrintSelection.h"
#include "members/fees/tests/FeeFixture.h"
#include "members/fees/ui/FeesWindows.h"
#include "members/fees/ui/FormOpzioniStampa.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportShow.h"
#include "ui/WindowRegistry.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace vb {
namespace {

class FormOpzioniStampaTest : public test::FeeFixture {
protected:
    void SetUp() override
    {
        rossi = addPerson(QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("ordinari"), 3);
        neri = addPerson(QStringLiteral("Neri"), QStringLiteral("Ugo"), QStringLiteral("ONORARI"), 5);
        rossi25 = addFee(rossi, QStringLiteral("2025"), 2000);
        rossi26 = addFee(rossi, QStringLiteral("2026"), 2000);
        neri25 = addFee(neri, QStringLiteral("2025"), 1500);
        neri26zero = addFee(neri, QStringLiteral("2026"), 0);
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        registerFeesWindows();
        w = WindowRegistry::instance().showAs<FormOpzioniStampa>(QStringLiteral("FormOpzioniStampa"));
        ASSERT_TRUE(w);
    }
    void TearDown() override
    {
        WindowRegistry::instance().closeAll();
        if (auto* report = reports::existingReport(QStringLiteral("ReportQuoteSociali")))
            delete report->preview();
        data::DataEnvironment1::instance().Connection1().Close();
        test::processEvents();
    }
    QStringList printed()
    {
        QStringList out;
        for (const auto& page : reports::shownPageTexts(QStringLiteral("ReportQuoteSociali")))
            out << page;
        return out;
    }
    QComboBox* combo(const char* name) { return w->findChild<QComboBox*>(QString::fromLatin1(name)); }
    void pick(const char* name, const QString& text)
    {
        auto* c = combo(name);
        const int i = c->findText(text, Qt::MatchExactly);
        ASSERT_GE(i, 0) << text.toStdString();
        c->setCurrentIndex(i);
        Q_EMIT c->activated(i);
    }
    // Presses "Visualizza e Stampa" and waits for the flags and the report.
    void print()
    {
        press();
        w->waitForJobs();
    }
    void press() { w->findChild<QPushButton*>(QStringLiteral("ComStampa"))->click(); }
    QProgressBar* bar() { return w->findChild<QProgressBar*>(QStringLiteral("ProgressBar1")); }
    bool reportShown()
    {
        auto* report = reports::existingReport(QStringLiteral("ReportQuoteSociali"));
        return report && report->preview() && report->preview()->isVisible();
    }
    std::vector<qint64> flagged()
    {
        std::vector<qint64> out;
        auto st = db->query(QStringLiteral("SELECT IDRegistro FROM RegistroQuoteSoci WHERE Validate = 1 ORDER BY IDRegistro"));
        while (st.next())
            out.push_back(st.integer(0));
        return out;
    }
    static QStringList items(QComboBox* c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }

    qint64 rossi = 0, neri = 0, rossi25 = 0, rossi26 = 0, neri25 = 0, neri26zero = 0;
    FormOpzioniStampa* w = nullptr;
};

TEST_F(FormOpzioniStampaTest, LoadFillsThePickers)
{
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Opzioni Visualizza/Stampa"));
    const QStringList years{QStringLiteral("2025"), QStringLiteral("2026")};
    EXPECT_EQ(items(combo("Combo1")), years);
    EXPECT_EQ(items(combo("Combo3")), years);
    EXPECT_EQ(items(combo("Combo5")), (QStringList{QStringLiteral("ONORARI"), QStringLiteral("ORDINARI")}));
    EXPECT_EQ(items(combo("Combo2")).size(), 2);
    EXPECT_EQ(combo("Combo2")->itemText(0).left(8), QStringLiteral("NERI UGO"));
    for (const char* name : {"Combo1", "Combo2", "Combo3", "Combo5"})
        EXPECT_EQ(combo(name)->currentText(), QString()) << name;
    EXPECT_FALSE(w->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
}

TEST_F(FormOpzioniStampaTest, PrintFlagsTheRowsOfTheLastPickerUsed)
{
    print(); // nothing picked: current year, non-zero amounts
    EXPECT_EQ(flagged(), std::vector<qint64>{rossi26});

    pick("Combo1", QStringLiteral("2025"));
    pick("Combo2", combo("Combo2")->itemText(0)); // Neri
    EXPECT_EQ(combo("Combo1")->currentText(), QString());
    print();
    EXPECT_EQ(flagged(), (std::vector<qint64>{neri25, neri26zero}));

    pick("Combo5", QStringLiteral("ORDINARI"));
    EXPECT_EQ(combo("Combo2")->currentText(), QString());
    print();
    EXPECT_EQ(flagged(), std::vector<qint64>{rossi26});

    pick("Combo3", QStringLiteral("2026")); // Neri has a zero-amount row in 2026, so is not lapsed
    print();
    EXPECT_TRUE(flagged().empty());
    EXPECT_FALSE(w->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->isVisible());
    EXPECT_EQ(msgs.texts(), QStringList());
}

TEST_F(FormOpzioniStampaTest, UnpaidYearThatIsNotANumberIsRefused)
{
    pick("Combo1", QStringLiteral("2025"));
    print();
    pick("Combo3", QStringLiteral("2026"));
    combo("Combo3")->setEditText(QStringLiteral("duemila"));
    print();
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
    EXPECT_EQ(flagged(), (std::vector<qint64>{rossi25, neri25}));
}

TEST_F(FormOpzioniStampaTest, ReportShowsTheSelectionAndItsCaption)
{
    pick("Combo1", QStringLiteral("2025"));
    print();
    QStringList texts = printed();
    EXPECT_TRUE(texts.contains(QStringLiteral("Associazione - Sezione locale")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Estrazione versamenti Soci anno: 2025")));
    EXPECT_LT(texts.indexOf(QStringLiteral("Neri")), texts.indexOf(QStringLiteral("Rossi")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quota Versata")));
    EXPECT_TRUE(texts.contains(QStringLiteral("€ 35,00")));

    // The unpaid list: surname, name and card only, without amounts or total.
    const qint64 lapsed = addPerson(QStringLiteral("Bruni"), QStringLiteral("Ida"));
    addFee(lapsed, QStringLiteral("2025"), 4000);
    pick("Combo3", QStringLiteral("2026"));
    print();
    texts = printed();
    EXPECT_TRUE(texts.contains(QStringLiteral("Versamenti non effettuati nell'anno: 2026 (alla data del 09/12/2026)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Bruni")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Rossi")));
    for (const char* hidden : {"Quota Versata", "NOTE", "Totale:", "€ 40,00", "2025"})
        EXPECT_FALSE(texts.contains(QString::fromUtf8(hidden))) << hidden;

    // A later print opens the report from its design again: the columns come back.
    pick("Combo1", QStringLiteral("2025"));
    print();
    EXPECT_TRUE(printed().contains(QStringLiteral("Quota Versata")));
    EXPECT_EQ(msgs.texts(), QStringList());
}

// While another program holds the archive's write lock, the selection waits on its worker
// and the window stays live, its bar busy. Released, the flags are written and the report
// shown; released only after the window closed, the flags are written whole and nothing
// is shown.
TEST_F(FormOpzioniStampaTest, TheWindowStaysLiveWhileTheSelectionWaitsForTheArchive)
{
    for (const bool closeFirst : {false, true}) {
        SCOPED_TRACE(closeFirst ? "window closed meanwhile" : "window open"); // closed last
        fees::markFeesForPrint(*db, {fees::SelectionMode::Year, QStringLiteral("2025"), 0, {}}, 2026);
        if (auto* report = reports::existingReport(QStringLiteral("ReportQuoteSociali")))
            delete report->preview();
        {
            db::Transaction holding(*db);
            db->execute(QStringLiteral("UPDATE Impostazioni SET Num = Num"));
            pick("Combo5", QStringLiteral("ORDINARI"));
            press();
            int ticks = 0;
            QTimer ticker;
            QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
            ticker.start(1);
            while (ticks < 20)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            EXPECT_TRUE(bar()->isVisible());
            EXPECT_EQ(bar()->maximum(), 0); // busy
            EXPECT_FALSE(reportShown());
            if (closeFirst)
                w->close();
        }
        if (closeFirst) {
            QElapsedTimer waited;
            waited.start();
            while (flagged() != std::vector<qint64>{rossi26} && waited.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            test::processEvents();
        } else {
            w->waitForJobs();
        }
        EXPECT_EQ(flagged(), std::vector<qint64>{rossi26});
        EXPECT_EQ(reportShown(), !closeFirst);
        EXPECT_EQ(msgs.texts(), QStringList());
    }
}

// A selection that cannot be written (the archive stays busy past the time-out) says why
// in Italian, leaves the earlier flags whole and shows no report.
TEST_F(FormOpzioniStampaTest, ASelectionThatCannotBeWrittenSaysWhyAndLeavesTheFlags)
{
    pick("Combo1", QStringLiteral("2025"));
    print();
    delete reports::existingReport(QStringLiteral("ReportQuoteSociali"))->preview();
    const int timeout = db::Database::busyTimeoutMs();
    db::Database::setBusyTimeoutMs(300);
    {
        db::Transaction holding(*db);
        db->execute(QStringLiteral("UPDATE Impostazioni SET Num = Num"));
        pick("Combo2", combo("Combo2")->itemText(0));
        print();
    }
    db::Database::setBusyTimeoutMs(timeout);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("L'archivio è occupato"))) << msgs.last().text.toStdString();
    EXPECT_EQ(flagged(), (std::vector<qint64>{rossi25, neri25}));
    EXPECT_FALSE(reportShown());
    EXPECT_FALSE(bar()->isVisible());
}

} // namespace
} // namespace vb
