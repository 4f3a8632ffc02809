#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace vb::test {

// Reads a ZIP package of stored (uncompressed) entries through its central directory,
// checking each entry's local header and CRC-32. Returns entry name -> contents, or an
// empty map with |error| set when the package is not sound.
QMap<QString, QByteArray> readStoredZip(const QByteArray& zip, QString* error);

// The cell texts of an .xlsx sheet, row by row (inline strings and numbers).
QList<QStringList> sheetCells(const QByteArray& sheetXml);

} // namespace vb::test
