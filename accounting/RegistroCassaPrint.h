#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QString>

// The register of one year of the cash book: the print table StampaLibroCassa refilled
// from every book's rows of that year, and the difference printed under the totals.
namespace vb::accounting {

struct RegisterTotals {
    Money entrate;  // rows of kind "E"
    Money uscite;   // rows of every other kind
    QString differenza;
};

// "+" and income − expense when income is larger, otherwise "-" and expense − income
// ("-0,00" for equal totals), in the format "##,##0.00".
QString registerDifference(Money entrate, Money uscite);

// Empties StampaLibroCassa and writes one row per LibroCassa row of |anno|, of all books,
// by date then key, in one transaction: ImportoE holds the amount of an "E" row, ImportoU
// that of any other kind. Throws db::Error; the table keeps its old rows then.
RegisterTotals FillStampaLibroCassa(db::Database& db, int anno);

} // namespace vb::accounting
