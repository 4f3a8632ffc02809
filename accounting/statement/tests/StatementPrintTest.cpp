#include "accounting/statement/tests/CashBookRows.h"
#include "accounting/statement/ui/StatementPrint.h"
#include "core/tests/support/TestSupport.h"

#include <QApplication>
#include <QProgressBar>

namespace vb::statement {
namespace {

using test::addCashRow;

class StatementPrintTest : public test::AppTest {
protected:
    StatementPrintTest()
    {
        bar.setVisible(false);
        addCashRow(*db, {1, QDate(2026, 1, 10), 2026, "AQS", "E", 2500});
    }

    PrintContext context() { return {*db, QStringLiteral("Associazione - Sezione locale"), folder.logoPath(), &bar}; }

    QProgressBar bar;
};

TEST_F(StatementPrintTest, YearThatIsNotAWholeNumberIsRefusedAndNothingRebuilt)
{
    ASSERT_TRUE(printStatement(StatementReport::PerCodice, QStringLiteral("2026"), context()));
    msgs.clear();

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
    EXPECT_EQ(1, test::countRows(*db, QStringLiteral("Rendicontazione")));
    EXPECT_EQ(0, test::countRows(*db, QStringLiteral("TabellaRiepilogativoRendiconto")));
}

TEST_F(StatementPrintTest, EachPrintRebuildsItsTablesForTheTypedYear)
{
    for (StatementReport which : {StatementReport::PerCategoria, StatementReport::PerCodice,
                                  StatementReport::PerCategoriaCodice}) {
        SCOPED_TRACE(reportName(which).toStdString());
        db->execute(QStringLiteral("DELETE FROM Rendicontazione"));
        EXPECT_TRUE(printStatement(which, QStringLiteral("2026"), context()));
        EXPECT_EQ(1, test::countRows(*db, QStringLiteral("Rendicontazione")));
        EXPECT_FALSE(bar.isVisible());
    }
    EXPECT_TRUE(printBalanceSheet(QStringLiteral(" 2026"), context()));
    EXPECT_EQ(1, test::countRows(*db, QStringLiteral("TabellaRiepilogativoRendiconto")));
    EXPECT_TRUE(msgs.shown.empty());
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
