#pragma once

#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>

#include <variant>

class QIODevice;

// Spreadsheet workbooks (.xlsx) of one sheet, written through libxlsxwriter.
namespace vb::lists {

using SheetCell = std::variant<QString, Money, QDate>; // text, amount, date
using SheetRow = QList<SheetCell>;

// Writes to |out| a workbook with one sheet named |sheetName| holding |rows|. The first row
// is the heading, bold and frozen; amounts are number cells shown "#,##0.00", dates date
// cells shown dd/mm/yyyy (an invalid date leaves the cell empty), texts stay text; each
// column is as wide as its longest value. Throws vb::Error with the reason.
void writeSpreadsheet(QIODevice& out, const QString& sheetName, const QList<SheetRow>& rows);

// Writes the workbook to the file |path| aside and puts it in place only when whole: a
// failed write leaves no file, and an older file of that name untouched. The file is
// readable by its owner only. Throws vb::Error with the reason.
void saveSpreadsheet(const QString& path, const QString& sheetName, const QList<SheetRow>& rows);

} // namespace vb::lists
