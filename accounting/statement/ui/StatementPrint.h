#pragma once

#include <QString>

class QProgressBar;

namespace vb::db {
class Database;
}

// The statement prints of the administration menu: each rebuilds its print table for the
// year typed in the year box, runs the progress bar and shows its report.
namespace vb::statement {

// What the menu window holds from its load.
struct PrintContext {
    db::Database& db;         // the window's own connection
    QString heading;          // the association heading (LoadIntestazione)
    QString logoPath;         // logo_conn
    QProgressBar* progressBar = nullptr; // ProgressBar1
};

// The three groupings of the statement, as the options of the menu offer them.
enum class StatementReport { PerCategoria = 1, PerCodice = 2, PerCategoriaCodice = 3 };

// The report design of a grouping: "RendCategoria", "RendCodice", "RendCategoriaCodice".
QString reportName(StatementReport which);

// Option1..Option3: rebuilds Rendicontazione for |yearText| and shows the grouping's
// report. A year that is not a whole number is refused with a message and nothing is
// rebuilt; a failure is shown by its description. Returns true when the report was shown.
bool printStatement(StatementReport which, const QString& yearText, const PrintContext& context);

// Option4: rebuilds Rendicontazione and TabellaRiepilogativoRendiconto for |yearText| and
// shows "BilancioConsuntivo", with the same refusals as printStatement.
bool printBalanceSheet(const QString& yearText, const PrintContext& context);

} // namespace vb::statement
