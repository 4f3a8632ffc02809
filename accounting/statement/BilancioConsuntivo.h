#pragma once

#include "accounting/statement/Rendicontazione.h"

#include <QString>

// The balance sheet: one TabellaRiepilogativoRendiconto row per code of the year's
// statement, with the code's income and expense totals, and the grand totals.
namespace vb::statement {

struct BalanceSheetTotals {
    Money GrandE;         // sum of every code's income total
    Money GrandU;         // sum of every code's expense total
    QString GrandDiff;    // signed grand difference, as signedDifference gives it
    QString annoRighe;    // the year of the statement rows; empty when there are none
    StatementTotals statement; // the totals of the statement rebuilt first

    // "Rimanenza al 31/12/" + the year of the rows + ":".
    QString Label_Rimanenza() const;
};

// Rebuilds Rendicontazione for |anno|, then empties TabellaRiepilogativoRendiconto and
// writes one row per code found there, all in one transaction. OrdStampa is 2 when the
// code has expense, else 1 when it has income, else it keeps the default 0 (such lines
// print first). Throws db::Error; on failure both tables keep their old rows.
BalanceSheetTotals RebuildBilancioConsuntivo(db::Database& db, int anno);

} // namespace vb::statement
