#include "accounting/statement/tests/CashBookRows.h"
#include "accounting/ui/AccountingWindows.h"
#include "accounting/ui/FormMenuAmministrazione.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"
#include "reports/engine/ReportShow.h"
#include "tests/support/TestSupport.h"
#include "ui/WindowRegistry.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vb {
namespace {

class MenuOptionsTest : public test::AppTest {
protected:
    void SetUp() override
    {
        test::addCashRow(*db, {1, QDate(2025, 4, 1), 2025, "AQS", "E", 2000, "Quota Rossi"});
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        registerAccountingWindows();
        menu = WindowRegistry::instance().showAs<FormMenuAmministrazione>(QStringLiteral("FormMenuAmministrazione"));
        ASSERT_NE(menu, nullptr);
    }
    void TearDown() override
    {
        WindowRegistry::instance().closeAll();
        for (const char* name : {"RendCategoria", "RendCodice", "RendCategoriaCodice", "BilancioConsuntivo"})
            if (auto* report = reports::existingReport(QString::fromLatin1(name)))
                delete report->preview();
        data::DataEnvironment1::instance().Connection1().Close();
        test::processEvents();
    }
    template <class T> T* child(const char* name) { return menu->findChild<T*>(QString::fromLatin1(name)); }
    static QStringList printed(const char* report)
    {
        QStringList out;
        for (const auto& page : reports::shownPageTexts(QString::fromLatin1(report)))
            out << page;
        return out;
    }

    FormMenuAmministrazione* menu = nullptr;
};

TEST_F(MenuOptionsTest, EachOptionPrintsTheYearInTheYearBox)
{
    child<QPushButton>("CmdStampaRendiconto")->click();
    child<QPushButton>("Cmd_meno")->click(); // 2026 -> 2025
    child<QPushButton>("Cmd_Calcola")->click();

    const struct { const char* option; const char* report; const char* difference; } cases[] = {
        {"Option1", "RendCategoria", "+ € 20,00"},
        {"Option2", "RendCodice", "+ € 20,00"},
        {"Option3", "RendCategoriaCodice", "+ € 20,00"},
        {"Option4", "BilancioConsuntivo", "Rimanenza al 31/12/2025:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        child<QRadioButton>(c.option)->click();
        const QStringList texts = printed(c.report);
        EXPECT_TRUE(texts.contains(QStringLiteral("Quota Rossi")) || texts.contains(QStringLiteral("AQS - Quote sociali")));
        EXPECT_TRUE(texts.contains(QString::fromUtf8(c.difference)));
        EXPECT_TRUE(texts.contains(QStringLiteral("2025")));
    }
    EXPECT_TRUE(msgs.shown.empty());

    // A year box that does not hold a whole number is refused and the typed text stays.
    child<QLineEdit>("TextAnno")->setText(QStringLiteral("20x5"));
    child<QRadioButton>("Option4")->click();
    ASSERT_EQ(1u, msgs.shown.size());
    EXPECT_EQ(QStringLiteral("ATTENZIONE"), msgs.last().title);
    EXPECT_EQ(QStringLiteral("20x5"), child<QLineEdit>("TextAnno")->text());
}

} // namespace
} // namespace vb
