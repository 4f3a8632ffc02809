#include "accounting/statement/ui/StatementPrint.h"

#include "accounting/statement/BilancioConsuntivo.h"
#include "core/Error.h"
#include "core/MessageService.h"
#include "reports/engine/ReportShow.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QCursor>

#include <optional>

namespace vb::statement {
namespace {

// The hourglass while the print table is rebuilt; the default pointer again on any exit.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

std::optional<int> yearOrRefuse(const QString& yearText)
{
    const std::optional<int> year = statementYear(yearText);
    if (!year)
        MsgBox(QStringLiteral("L'anno deve essere un numero intero! "), MsgButtons::Ok, MsgIcon::Exclamation,
               QStringLiteral("ATTENZIONE"));
    return year;
}

reports::ShowOptions headerOptions(const QString& yearText, const PrintContext& context)
{
    reports::ShowOptions options;
    options.logoPath = context.logoPath;
    options.headingLabel = QStringLiteral("Label_Intest");
    options.heading = context.heading;
    options.labels.insert(QStringLiteral("LabelAnno"), yearText);
    return options;
}

} // namespace

QString reportName(StatementReport which)
{
    switch (which) {
    case StatementReport::PerCategoria: return QStringLiteral("RendCategoria");
    case StatementReport::PerCodice: return QStringLiteral("RendCodice");
    case StatementReport::PerCategoriaCodice: return QStringLiteral("RendCategoriaCodice");
    }
    return QString();
}

bool printStatement(StatementReport which, const QString& yearText, const PrintContext& context)
{
    const std::optional<int> year = yearOrRefuse(yearText);
    if (!year)
        return false;
    try {
        WaitCursor wait;
        const StatementTotals totals = RebuildRendicontazione(context.db, *year);
        RunProgressBar(context.progressBar);
        wait.restore();

        reports::ShowOptions options = headerOptions(yearText, context);
        options.labels.insert(QStringLiteral("LabelDifferenza"), totals.Differenza);
        reports::showReport(reportName(which), options);
        return true;
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return false;
    }
}

bool printBalanceSheet(const QString& yearText, const PrintContext& context)
{
    const std::optional<int> year = yearOrRefuse(yearText);
    if (!year)
        return false;
    try {
        WaitCursor wait;
        const BalanceSheetTotals totals = RebuildBilancioConsuntivo(context.db, *year);
        wait.restore();
        RunProgressBar(context.progressBar);

        reports::ShowOptions options = headerOptions(yearText, context);
        options.labels.insert(QStringLiteral("LabelDiff"), totals.GrandDiff);
        options.labels.insert(QStringLiteral("Label_Rimanenza"), totals.Label_Rimanenza());
        reports::showReport(QStringLiteral("BilancioConsuntivo"), options);
        return true;
    } catch (const Error& e) {
        showErrorDescription(e.description());
        return false;
    }
}

} // namespace vb::statement
