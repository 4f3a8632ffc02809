#pragma once

#include "core/Database.h"

#include <QString>

// The spreadsheet exports of the members' window, written on the user's desktop with one
// sheet "foglio1".
namespace vb::lists {

struct ExportResult {
    QString path; // the file written; empty when there was nothing to write
    int rows = 0; // data rows, heading excluded
};

// $HOME/Desktop when it exists, else $HOME.
QString desktopFolder();

// The payers of |year| (card, surname, name, payment date, amount) into
// "Versamenti_soci_<year>_<date>.xlsx" in |folder|. Throws vb::Error.
ExportResult exportFeePayers(db::Database& db, int year, const QString& folder);

// Surname, name and e-mail of the members in good standing of |year| (a non-zero fee)
// who consent to the mailing list and have an address, into
// "Email_soci_<year>_<date>.xlsx" in |folder|. Throws vb::Error.
ExportResult exportMailingList(db::Database& db, int year, const QString& folder);

} // namespace vb::lists
