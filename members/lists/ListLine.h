#pragma once

#include "core/Database.h"

#include <QString>
#include <QStringList>

#include <optional>

// Pieces of the lines the member lists show, one column per tab.
namespace vb::lists {

// Pads |name| on the right with ">" to |width| characters; a name longer than |keepUpTo|
// is then cut to its first |cutTo| characters (so names just over the width stay whole).
QString padName(const QString& name, int width, int keepUpTo, int cutTo);

// The name column of the fee and birthday lists: "Cognome Nome" padded to 26, cut to 25
// beyond 27 characters.
QString feeListName(const QString& cognome, const QString& nome);

// A stored date column as the user reads it: dd/mm/yyyy, or the stored text when it is
// not a date.
QString shownDate(const db::Statement& st, const QString& column);

// The column headings of a list's heading line: its words, parted by tabs or by runs of
// blanks; "Cognome" and "Nome" together head the one column that holds both.
QStringList headingColumns(const QString& header);

// The year typed in the year box: a whole number from 1 to 9999; nothing otherwise.
std::optional<int> parseYear(const QString& text);

} // namespace vb::lists
