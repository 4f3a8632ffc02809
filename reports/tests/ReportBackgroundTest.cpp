#include "core/BackgroundTask.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportPreview.h"
#include "reports/engine/ReportShow.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

using namespace vb;
using namespace vb::reports;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QString kRegister = QStringLiteral("RegistroCassa");

// The cash-book register with many rows: the showing, the PDF and the print run on worker
// threads while the event loop keeps turning.
class ReportBackgroundTest : public test::AppTest {
protected:
    ReportBackgroundTest()
    {
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        ticker.setInterval(2);
        QObject::connect(&ticker, &QTimer::timeout, [this] { ++ticks; });
        ticker.start();
    }
    ~ReportBackgroundTest() override
    {
        if (ReportInstance* r = existingReport(kRegister))
            delete r->preview();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    // Rows "Riga 000001" … of one euro-cent more each, as the register's print table holds them.
    void fillRegister(int rows)
    {
        db->execute(QStringLiteral(
                        "INSERT INTO StampaLibroCassa (Data, CodiceCategoria, Tipo, Descrizione, Importo, ImportoE, ImportoU) "
                        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                        "SELECT '2026-01-02', 'AQS', 'E', printf('Riga %06d', i), i, i, 0 FROM n"),
                    {rows});
    }

    static ShowOptions year(const QString& anno)
    {
        ShowOptions o;
        o.labels.insert(QStringLiteral("LabelAnno"), anno);
        return o;
    }

    static ReportPreview* preview() { return existingReport(kRegister)->preview(); }

    // The register's row texts ("Riga …") over every page, in order.
    static QStringList rowTexts(const QList<QStringList>& pages)
    {
        QStringList rows;
        for (const QStringList& page : pages)
            for (const QString& t : page)
                if (t.startsWith(QStringLiteral("Riga ")))
                    rows << t;
        return rows;
    }

    static QStringList expectedRows(int n)
    {
        QStringList rows;
        for (int i = 1; i <= n; ++i)
            rows << QStringLiteral("Riga %1").arg(i, 6, 10, QLatin1Char('0'));
        return rows;
    }

    QTimer ticker;
    int ticks = 0;
};

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(120000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(ReportBackgroundTest, ALongRegisterIsPreparedWhileTheEventLoopTurnsWithTheRowsOfItsShowing)
{
    const int rows = 20000;
    fillRegister(rows);

    showReport(kRegister, year(QStringLiteral("2026")));

    // Shown at once, still being prepared.
    ReportPreview* p = preview();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->isVisible(), true);
    EXPECT_EQ(p->preparing(), true);
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelStato"))->text(),
              QStringLiteral("Preparazione della stampa in corso..."));
    EXPECT_EQ(p->findChild<QProgressBar*>(QStringLiteral("ProgressStampa"))->isVisibleTo(p), true);
    EXPECT_EQ(p->findChild<QToolButton*>(QStringLiteral("Cmd_Pdf"))->isEnabled(), false);

    // Written after the showing: not part of it.
    db->execute(QStringLiteral("DELETE FROM StampaLibroCassa"));

    const int ticksBefore = ticks;
    const QList<QStringList> pages = shownPageTexts(kRegister);
    EXPECT_GE(ticks - ticksBefore, 2);
    EXPECT_EQ(p->preparing(), false);

    ASSERT_GT(pages.size(), 300);
    EXPECT_EQ(rowTexts(pages), expectedRows(rows));
    EXPECT_EQ(pages.front().contains(QStringLiteral("2026")), true);
    // 1 + 2 + … + 20000 cents
    EXPECT_EQ(pages.back().contains(QStringLiteral("€ 2.000.100,00")), true) << pages.back().join(u'|').toStdString();
    EXPECT_EQ(pages.back().contains(QStringLiteral("%1").arg(pages.size())), true);
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelPagina"))->text(),
              QStringLiteral("Pagina 1 di %1").arg(pages.size()));
    EXPECT_EQ(p->findChild<QToolButton*>(QStringLiteral("Cmd_Pdf"))->isEnabled(), true);
    EXPECT_EQ(msgs.shown.size(), 0u);

    // The next showing reads the archive again.
    showReport(kRegister, year(QStringLiteral("2026")));
    EXPECT_EQ(rowTexts(shownPageTexts(kRegister)), QStringList());
}

TEST_F(ReportBackgroundTest, ANewerShowingSupersedesOneStillBeingPrepared)
{
    fillRegister(20000);
    showReport(kRegister, year(QStringLiteral("2025")));
    ReportPreview* first = preview();

    db->execute(QStringLiteral("DELETE FROM StampaLibroCassa"));
    fillRegister(3);
    showReport(kRegister, year(QStringLiteral("2026")));
    showReport(kRegister, year(QStringLiteral("2027")));

    const QList<QStringList> pages = shownPageTexts(kRegister);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(rowTexts(pages), expectedRows(3));
    EXPECT_EQ(pages.front().contains(QStringLiteral("2027")), true);

    // The superseded showings end later without touching the preview.
    waitFor([start = ticks, this] { return ticks - start >= 100; });
    EXPECT_EQ(preview(), first);
    EXPECT_EQ(first->preparing(), false);
    EXPECT_EQ(first->reportLayout().pageCount(), 1);
    EXPECT_EQ(shownPageTexts(kRegister), pages);
    EXPECT_EQ(msgs.shown.size(), 0u);
}

TEST_F(ReportBackgroundTest, APdfIsWrittenOffTheThreadAndAStoppedOneLeavesTheOldFile)
{
    const int rows = 3000;
    fillRegister(rows);
    showReport(kRegister, year(QStringLiteral("2026")));
    const int pageCount = int(shownPageTexts(kRegister).size());
    ReportPreview* p = preview();

    bool finished = false, ok = false;
    QObject::connect(p, &ReportPreview::writeFinished, [&](bool r) { finished = true; ok = r; });

    const QString path = folder.path() + QStringLiteral("/registro.pdf");
    p->startSaveAsPdf(path);
    EXPECT_EQ(p->writing(), true);
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelStato"))->text(), QStringLiteral("Salvataggio del PDF in corso..."));
    EXPECT_EQ(p->findChild<QToolButton*>(QStringLiteral("Cmd_Pdf"))->isEnabled(), false);
    EXPECT_EQ(p->findChild<QToolButton*>(QStringLiteral("Cmd_Print"))->isEnabled(), false);
    const int ticksBefore = ticks;
    waitFor([&] { return finished; });
    EXPECT_GE(ticks - ticksBefore, 2);
    EXPECT_EQ(ok, true);
    EXPECT_EQ(p->writing(), false);
    EXPECT_EQ(p->findChild<QToolButton*>(QStringLiteral("Cmd_Pdf"))->isEnabled(), true);

    const QStringList pdfPages = pdfText(path).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pdfPages.size(), pageCount);
    EXPECT_EQ(pdfPages.front().contains(QStringLiteral("Riga 000001")), true);
    EXPECT_EQ(pdfPages.back().contains(QStringLiteral("Riga 003000")), true);

    // Stopped at once: no message, and the file saved before stays as it was.
    const QByteArray saved = fileBytes(path);
    finished = false;
    p->startSaveAsPdf(path);
    p->findChild<QToolButton*>(QStringLiteral("Cmd_Annulla"))->click();
    waitFor([&] { return finished; });
    EXPECT_EQ(ok, false);
    EXPECT_EQ(fileBytes(path), saved);
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelStato"))->text(), QStringLiteral("Operazione annullata."));
    EXPECT_EQ(msgs.shown.size(), 0u);
}

TEST_F(ReportBackgroundTest, ACommandThatFailsOnTheWorkerClosesThePreviewAndSaysWhy)
{
    db->execute(QStringLiteral("DROP TABLE StampaLibroCassa"));
    showReport(kRegister, year(QStringLiteral("2026")));
    existingReport(kRegister)->waitUntilReady();
    test::processEvents();

    EXPECT_EQ(existingReport(kRegister)->preview(), nullptr);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text.isEmpty(), false);
    EXPECT_EQ(msgs.last().icon, MsgIcon::None);
}
