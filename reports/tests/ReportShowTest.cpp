#include "core/Error.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportPreview.h"
#include "reports/engine/ReportRenderer.h"
#include "reports/engine/ReportShow.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

using namespace vb;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) { *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']'; }
using namespace vb::reports;

namespace {

class ReportShowTest : public test::AppTest {
protected:
    ReportShowTest() { data::DataEnvironment1::instance().Connection1().Open(folder.databasePath()); }
    ~ReportShowTest() override
    {
        for (const char* name : {"ReportAnagrafica", "ReportRegistroAccessi"})
            if (ReportInstance* r = existingReport(QString::fromUtf8(name)))
                delete r->preview();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    void person(const char* cognome, const char* nome, const char* il, const char* note = "NIL")
    {
        db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome, IL, CFiscale, NumTessera, `Note`) "
                                   "VALUES (?, ?, ?, 'CF', '00012', ?)"),
                    {cognome, nome, il, note});
    }

    ShowOptions registryOptions() const
    {
        ShowOptions o;
        o.logoPath = folder.logoPath();
        o.headingLabel = QStringLiteral("LabelIntestazione");
        o.heading = QStringLiteral("Associazione Alfa - Sezione di Lucca");
        return o;
    }
};

// The text of a PDF file as pdftotext reads it.
QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST_F(ReportShowTest, RegistryListsEveryPersonBySurnameInAModelessPreview)
{
    person("Rossi", "Mario", "1978-05-16", "Consigliere");
    person("bianchi", "Anna", "1990-01-02");
    person("Verdi", "Luca", "2001-12-31");

    showReport(QStringLiteral("ReportAnagrafica"), registryOptions());

    const QStringList expected{
        QStringLiteral("Associazione Alfa - Sezione di Lucca"), QStringLiteral("ANAGRAFICA"),
        QStringLiteral("ID"), QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("Data nascita"),
        QStringLiteral("Cod. Fiscale"), QStringLiteral("Num.Tes."), QStringLiteral("NOTE"),
        QStringLiteral("0002"), QStringLiteral("bianchi"), QStringLiteral("Anna"), QStringLiteral("02/01/1990"),
        QStringLiteral("CF"), QStringLiteral("00012"), QStringLiteral("NIL"),
        QStringLiteral("0001"), QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("16/05/1978"),
        QStringLiteral("CF"), QStringLiteral("00012"), QStringLiteral("Consigliere"),
        QStringLiteral("0003"), QStringLiteral("Verdi"), QStringLiteral("Luca"), QStringLiteral("31/12/2001"),
        QStringLiteral("CF"), QStringLiteral("00012"), QStringLiteral("NIL"),
        QStringLiteral("mercoledì 9 dicembre 2026"), QStringLiteral("Pag."), QStringLiteral("1")};
    EXPECT_EQ(shownPageTexts(QStringLiteral("ReportAnagrafica")), QList<QStringList>{expected});

    ReportPreview* preview = existingReport(QStringLiteral("ReportAnagrafica"))->preview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->isVisible(), true);
    EXPECT_EQ(preview->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Anagrafica"));
    const auto items = preview->reportLayout().page(0).items;
    EXPECT_EQ(std::count_if(items.begin(), items.end(), [](const LayoutItem& it) { return it.kind == LayoutItem::Kind::Image; }), 1);
}

TEST_F(ReportShowTest, ASecondShowingPrintsTheChangedRowsAndKeepsTheLabels)
{
    person("Rossi", "Mario", "1978-05-16");
    showReport(QStringLiteral("ReportAnagrafica"), registryOptions());
    ReportPreview* first = existingReport(QStringLiteral("ReportAnagrafica"))->preview();

    db->execute(QStringLiteral("UPDATE TabellaNominativi SET Cognome = 'Rossini'"));
    person("Abate", "Ugo", "1950-03-04");
    ShowOptions noHeading;
    showReport(QStringLiteral("ReportAnagrafica"), noHeading);

    const QStringList texts = shownPageTexts(QStringLiteral("ReportAnagrafica")).front();
    EXPECT_EQ(texts.contains(QStringLiteral("Rossi")), false);
    EXPECT_LT(texts.indexOf(QStringLiteral("Abate")), texts.indexOf(QStringLiteral("Rossini")));
    EXPECT_EQ(texts.front(), QStringLiteral("Associazione Alfa - Sezione di Lucca"));
    EXPECT_EQ(existingReport(QStringLiteral("ReportAnagrafica"))->preview(), first); // one preview per report
}

TEST_F(ReportShowTest, AccessLogPrintsItsRowsWithoutALogo)
{
    db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Nome, DataIn, OraIn, DataOut, OraOut, Controllo) "
                               "VALUES ('Rossi', 'Mario', '2026-12-01', '09:15:00', '2026-12-01', '11:00:05', 1), "
                               "('Bianchi', 'Anna', '2026-12-09', '10:00:00', NULL, NULL, 0)"));
    ShowOptions o;
    o.headingLabel = QStringLiteral("Label_Intest");
    o.heading = QStringLiteral("Associazione Alfa");
    showReport(QStringLiteral("ReportRegistroAccessi"), o);

    const QStringList expected{
        QStringLiteral("Associazione Alfa"), QStringLiteral("REGISTRO ACCESSI"),
        QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("Data In"), QStringLiteral("Ora In"),
        QStringLiteral(" Data out"), QStringLiteral("Ora Out"),
        QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("01/12/2026"), QStringLiteral("09:15:00"),
        QStringLiteral("01/12/2026"), QStringLiteral("11:00:05"),
        QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("09/12/2026"), QStringLiteral("10:00:00"),
        QStringLiteral("mercoledì 9 dicembre 2026"), QStringLiteral("1")};
    EXPECT_EQ(shownPageTexts(QStringLiteral("ReportRegistroAccessi")), QList<QStringList>{expected});
    for (const auto& it : existingReport(QStringLiteral("ReportRegistroAccessi"))->lastLayout().page(0).items)
        EXPECT_NE(it.kind, LayoutItem::Kind::Image);
}

TEST_F(ReportShowTest, AnUnreadableLogoOrAMissingReportIsAnError)
{
    ShowOptions o = registryOptions();
    o.logoPath = folder.path() + QStringLiteral("/manca.jpg");
    EXPECT_THROW(showReport(QStringLiteral("ReportAnagrafica"), o), Error);
    EXPECT_THROW(showReport(QStringLiteral("ReportInesistente"), registryOptions()), Error);
}

TEST_F(ReportShowTest, APdfCarriesTheTextsOfEveryPage)
{
    for (int i = 1; i <= 60; ++i)
        db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome, IL) VALUES (?, 'Nome', '1980-02-03')"),
                    {QStringLiteral("Cognome%1").arg(i, 3, 10, QLatin1Char('0'))});
    showReport(QStringLiteral("ReportAnagrafica"), registryOptions());
    const ReportLayout& layout = existingReport(QStringLiteral("ReportAnagrafica"))->lastLayout();
    ASSERT_EQ(layout.pageCount(), 2);

    const QString path = folder.path() + QStringLiteral("/anagrafica.pdf");
    existingReport(QStringLiteral("ReportAnagrafica"))->preview()->saveAsPdf(path);
    const QString text = pdfText(path);
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_GE(pages.size(), 2);
    for (const char* t : {"Associazione Alfa - Sezione di Lucca", "ANAGRAFICA", "Data nascita", "Cod. Fiscale",
                          "Cognome001", "03/02/1980", "mercoledì 9 dicembre 2026", "Pag."})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Cognome060")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Cod. Fiscale")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("ANAGRAFICA")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Pag.")));
    EXPECT_EQ(msgs.shown.size(), 0u);

    // A folder that cannot be written: a message, and no file left behind.
    EXPECT_EQ(existingReport(QStringLiteral("ReportAnagrafica"))->preview()->saveAsPdf(
                  folder.path() + QStringLiteral("/manca/x.pdf")),
              false);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
}

TEST_F(ReportShowTest, ThePreviewPagesThroughTheReport)
{
    for (int i = 1; i <= 120; ++i)
        db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome) VALUES (?)"), {QStringLiteral("C%1").arg(i)});
    showReport(QStringLiteral("ReportAnagrafica"), registryOptions());
    ReportPreview* p = existingReport(QStringLiteral("ReportAnagrafica"))->preview();
    const int pages = p->reportLayout().pageCount();
    ASSERT_GE(pages, 3);
    p->findChild<QToolButton*>(QStringLiteral("Cmd_Next"))->click();
    EXPECT_EQ(p->currentPage(), 1);
    p->findChild<QToolButton*>(QStringLiteral("Cmd_Last"))->click();
    EXPECT_EQ(p->currentPage(), pages - 1);
    p->findChild<QToolButton*>(QStringLiteral("Cmd_Next"))->click();
    EXPECT_EQ(p->currentPage(), pages - 1);
    p->findChild<QToolButton*>(QStringLiteral("Cmd_First"))->click();
    EXPECT_EQ(p->currentPage(), 0);
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelPagina"))->text(), QStringLiteral("Pagina 1 di %1").arg(pages));
}

TEST_F(ReportShowTest, ThePreviewOpensWithinTheScreenShowingTheWholeWidthOfThePage)
{
    person("Rossi", "Mario", "1978-05-16");
    showReport(QStringLiteral("ReportAnagrafica"), registryOptions());
    ReportPreview* p = existingReport(QStringLiteral("ReportAnagrafica"))->preview();
    p->reportLayout();
    test::processEvents();

    const QRect screen = p->screen()->availableGeometry();
    EXPECT_EQ(screen.contains(p->frameGeometry()), true);
    // Centred: as much room on either side, give or take the frame it allowed for.
    EXPECT_LE(std::abs((p->frameGeometry().left() - screen.left()) - (screen.right() - p->frameGeometry().right())), 16);
    const auto* scroll = p->findChild<QScrollArea*>(QStringLiteral("ScrollPagina"));
    const auto* page = p->findChild<QLabel*>(QStringLiteral("PageView"));
    EXPECT_LE(page->width(), scroll->viewport()->width());
    EXPECT_LE(p->zoom(), 100);
    EXPECT_EQ(p->findChild<QComboBox*>(QStringLiteral("ComboZoom"))->currentText(), QStringLiteral("%1%").arg(p->zoom()));

    // Saved as PDF: proposed in the documents folder under the report's title (in the home
    // folder where there is no documents folder); the status then says where the file went.
    {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        EXPECT_EQ(p->suggestedPdfPath(), QDir(home.path()).filePath(QStringLiteral("Anagrafica.pdf")));
        ASSERT_TRUE(QDir().mkpath(documents));
        EXPECT_EQ(p->suggestedPdfPath(), QDir(documents).filePath(QStringLiteral("Anagrafica.pdf")));
        qputenv("HOME", oldHome);
    }
    const QString path = folder.path() + QStringLiteral("/anagrafica.pdf");
    ASSERT_EQ(p->saveAsPdf(path), true);
    EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser)
        << "a report may hold members' personal data";
    EXPECT_EQ(p->findChild<QLabel*>(QStringLiteral("LabelStato"))->text(),
              QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(path)));
}
