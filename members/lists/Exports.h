#pragma once

#include "core/Database.h"

#include <QDate>
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
// "Versamenti_soci_<year>_<day>.xlsx" in |folder|. Touches no widget and no program-wide
// state, so it may run on a worker thread. Throws vb::Error.
ExportResult exportFeePayers(db::Database& db, int year, const QString& folder, const QDate& day);

// Surname, name and e-mail of the members in good standing of |year| (a non-zero fee)
// who consent to the mailing list and have an address, into
// "Email_soci_<year>_<day>.xlsx" in |folder|; as exportFeePayers. Throws vb::Error.
ExportResult exportMailingList(db::Database& db, int year, const QString& folder, const QDate& day);

} // namespace vb::lists
