#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QString>

#include <optional>

// The year-end statement: the work table Rendicontazione refilled from the cash-book rows
// of one year, and the year's income and expense totals.
namespace vb::statement {

struct StatementTotals {
    Money TotEntrate;   // sum of the year's income rows (kind "E")
    Money TotUscite;    // sum of the year's expense rows (kind "U")
    QString Differenza; // "+ € 70,00" when income exceeds expense, otherwise "- € …"
};

// The statement year typed in the year box; nothing when the text is not a whole number.
std::optional<int> statementYear(const QString& text);

// "+ € ##,##0.00" of income − expense when income is larger, otherwise "- € ##,##0.00" of
// expense − income (equal totals give "- € 0,00"): the amount itself is never negative.
QString signedDifference(Money income, Money expense);

// Empties Rendicontazione and writes one row per LibroCassa row of |anno| whose cash book
// exists, by date and then order of entry, in one transaction (or a savepoint of an open
// one). Rows of kinds other than "E" and "U" are listed with their amount and count in
// neither column nor total. Throws db::Error; on failure the table keeps its old rows.
StatementTotals RebuildRendicontazione(db::Database& db, int anno);

} // namespace vb::statement
