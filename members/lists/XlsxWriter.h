#pragma once

#include "core/Money.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <variant>

class QIODevice;

// A small writer of spreadsheet workbooks (.xlsx): one sheet of text and number cells in
// an uncompressed ZIP package with the minimal parts a spreadsheet program needs.
namespace vb::lists {

using XlsxCell = std::variant<QString, qint64, Money>; // text, whole number, amount
using XlsxRow = QList<XlsxCell>;

// Writes the workbook to |out| with one sheet named |sheetName|; |stamp| dates the parts.
// Throws vb::Error when the device refuses a write.
void writeXlsx(QIODevice& out, const QString& sheetName, const QList<XlsxRow>& rows, const QDateTime& stamp);

// Writes the workbook to the file |path| in one go: a failed write leaves no file, and an
// older file of that name untouched. Throws vb::Error with the reason.
void saveXlsx(const QString& path, const QString& sheetName, const QList<XlsxRow>& rows);

// The CRC-32 (ZIP polynomial) of |data|.
quint32 crc32(const QByteArray& data);

} // namespace vb::lists
