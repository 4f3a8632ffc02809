#include "accounting/statement/tests/CashBookRows.h"
#include "accounting/statement/ui/StatementPrint.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportShow.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QProgressBar>

namespace vb::statement {
namespace {

using test::addCashRow;

const QStringList kReports = {QStringLiteral("RendCategoria"), QStringLiteral("RendCodice"),
                              QStringLiteral("RendCategoriaCodice"), QStringLiteral("BilancioConsuntivo")};

class StatementPrintTest : public test::AppTest {
protected:
    void SetUp() override
    {
        bar.setVisible(false);
        test::addCode(*db, QStringLiteral("SPE"), QStringLiteral("Spese varie"), 2);
        addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AQS", "E", 10000, "Quota Rossi", 5});
        addCashRow(*db, {3, QDate(2026, 2, 10), 2026, "SPE", "U", 3000, "Cancelleria"});
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
    }
    void TearDown() override
    {
        for (const QString& name : kReports)
            if (auto* report = reports::existingReport(name))
                delete report->preview();
        data::DataEnvironment1::instance().Connection1().Close();
        test::processEvents();
    }

    PrintContext context() { return {*db, QStringLiteral("Associazione - Sezione locale"), folder.logoPath(), &bar}; }

    static QStringList printed(const QString& report)
    {
        QStringList out;
        for (const auto& page : reports::shownPageTexts(report))
            out << page;
        return out;
    }

    QProgressBar bar;
};

TEST_F(StatementPrintTest, YearThatIsNotAWholeNumberIsRefusedAndNothingRebuilt)
{
    ASSERT_TRUE(printStatement(StatementReport::PerCodice, QStringLiteral("2026"), context()));
    ASSERT_TRUE(msgs.shown.empty());

    for (const char* text : {"", "duemila", "2026.5"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(printStatement(StatementReport::PerCategoria, QString::fromUtf8(text), context()));
        EXPECT_FALSE(printBalanceSheet(QString::fromUtf8(text), context()));
    }
    ASSERT_EQ(6u, msgs.shown.size());
    for (const MessageRequest& m : msgs.shown) {
        EXPECT_EQ(QStringLiteral("L'anno deve essere un numero intero! "), m.text);
        EXPECT_EQ(MsgButtons::Ok, m.buttons);
        EXPECT_EQ(MsgIcon::Exclamation, m.icon);
        EXPECT_EQ(QStringLiteral("ATTENZIONE"), m.title);
    }
    EXPECT_EQ(2, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(0, test::countRows(*db, QStringLiteral("TabellaRiepilogativoRendiconto")));
}

TEST_F(StatementPrintTest, EachGroupingPrintsTheYearWithItsTotalsAndDifference)
{
    // Each row prints under its own group lines (cash book, code, or both).
    using Groups = std::vector<std::pair<QStringList, QString>>;
    const Groups byBook = {{{QStringLiteral("Cassa contanti")}, QStringLiteral("Quota Rossi")},
                           {{QStringLiteral("Banca - bonifici")}, QStringLiteral("Cancelleria")}};
    const Groups byCode = {{{QStringLiteral("AQS - Quote sociali")}, QStringLiteral("Quota Rossi")},
                           {{QStringLiteral("SPE - Spese varie")}, QStringLiteral("Cancelleria")}};
    const Groups byBoth = {
        {{QStringLiteral("Cassa contanti"), QStringLiteral("AQS - Quote sociali")}, QStringLiteral("Quota Rossi")},
        {{QStringLiteral("Banca - bonifici"), QStringLiteral("SPE - Spese varie")}, QStringLiteral("Cancelleria")}};
    const struct { StatementReport which; Groups groups; } cases[] = {
        {StatementReport::PerCategoria, byBook},
        {StatementReport::PerCodice, byCode},
        {StatementReport::PerCategoriaCodice, byBoth},
    };
    for (const auto& c : cases) {
        const QString name = reportName(c.which);
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(printStatement(c.which, QStringLiteral("2026"), context()));
        EXPECT_FALSE(bar.isVisible());
        const QStringList texts = printed(name);
        for (const char* expected :
             {"Associazione - Sezione locale", "Libro cassa anno:", "2026", "10/01/2026", "€ 100,00", "€ 30,00",
              "Totale generale entrate:", "Totale generale uscite:", "Differenza +/-", "+ € 70,00",
              "CODICE: E=Entrata U=uscita ", "Stampato il:", "09/12/2026", "Pag."})
            EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
        for (const auto& [lines, causale] : c.groups) {
            const qsizetype row = texts.indexOf(causale);
            qsizetype at = row;
            for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
                const qsizetype line = texts.lastIndexOf(*it, at);
                EXPECT_GE(line, 0) << it->toStdString();
                EXPECT_LT(line, at) << it->toStdString();
                at = line;
            }
            // No other group's line stands between this row and its own group lines.
            for (const auto& [others, otherCausale] : c.groups)
                if (otherCausale != causale)
                    for (const QString& o : others)
                        if (!lines.contains(o)) {
                            const qsizetype i = texts.indexOf(o);
                            EXPECT_FALSE(i > at && i < row) << o.toStdString();
                        }
        }
    }
}

TEST_F(StatementPrintTest, ReprintShowsTheCurrentRowsOfTheTypedYear)
{
    ASSERT_TRUE(printStatement(StatementReport::PerCategoria, QStringLiteral("2026"), context()));
    addCashRow(*db, {1, QDate(2026, 3, 1), 2026, "AQS", "E", 500, "Quota Verdi"});
    addCashRow(*db, {1, QDate(2025, 3, 1), 2025, "AQS", "U", 4000, "Anno prima"});

    ASSERT_TRUE(printStatement(StatementReport::PerCategoria, QStringLiteral("2026"), context()));
    QStringList texts = printed(QStringLiteral("RendCategoria"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Quota Verdi")));
    EXPECT_TRUE(texts.contains(QStringLiteral("+ € 75,00")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Anno prima")));

    ASSERT_TRUE(printStatement(StatementReport::PerCategoria, QStringLiteral("2025"), context()));
    texts = printed(QStringLiteral("RendCategoria"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Anno prima")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Quota Rossi")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- € 40,00")));
}

TEST_F(StatementPrintTest, BalanceSheetPrintsOneLinePerCodeAndTheRemainder)
{
    ASSERT_TRUE(printBalanceSheet(QStringLiteral("2026"), context()));
    QStringList texts = printed(QStringLiteral("BilancioConsuntivo"));
    for (const char* expected :
         {"Bilancio Consuntivo anno:", "Mod./T", "All. A", "Cod.               Descrizione", " Passività",
          "AQS - Quote sociali", "SPE - Spese varie", "Totale attività:", "Totale passività:",
          "Rimanenza al 31/12/2026:", "+ € 70,00", "Il Presidente", "Note: Per i dettagli vedi registro cassa"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    // Income codes print before expense codes.
    EXPECT_LT(texts.indexOf(QStringLiteral("AQS - Quote sociali")), texts.indexOf(QStringLiteral("SPE - Spese varie")));

    ASSERT_TRUE(printBalanceSheet(QStringLiteral("2030"), context()));
    texts = printed(QStringLiteral("BilancioConsuntivo"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Rimanenza al 31/12/:")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- € 0,00")));
    EXPECT_FALSE(texts.contains(QStringLiteral("AQS - Quote sociali")));
}

TEST_F(StatementPrintTest, ArchiveFailureIsShownByItsDescription)
{
    db->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Rendicontazione"
                               " BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    EXPECT_FALSE(printStatement(StatementReport::PerCategoria, QStringLiteral("2026"), context()));
    EXPECT_FALSE(printBalanceSheet(QStringLiteral("2026"), context()));
    ASSERT_EQ(2u, msgs.shown.size());
    EXPECT_FALSE(msgs.last().text.isEmpty());
    EXPECT_EQ(MsgIcon::None, msgs.last().icon);
    EXPECT_EQ(QString(), msgs.last().title);
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

} // namespace
} // namespace vb::statement
