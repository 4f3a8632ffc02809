#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace vb::test {

// One cell of a written sheet as a spreadsheet program reads it.
struct ReadCell {
    QString type;         // "s" shared text, "n" number, "" for no cell at that place
    QString value;        // the text, or the number as written
    QString numberFormat; // the format code of its style, "General" when it has none
    bool bold = false;

    // The date a number cell shows under a date format (serial days from 30/12/1899).
    QDate date() const;
};

struct ReadSheet {
    QString error;                // empty when the workbook was read whole
    QString name;                 // the first sheet's name
    QList<QList<ReadCell>> rows;  // cells placed by their references, gaps left empty
    QString frozenAt;             // top-left cell below a frozen pane, e.g. "A2"
    QList<double> widths;         // column widths as set, from column A on
};

// Reads the first sheet of the workbook at |path| with the system's `unzip` (which also
// checks every part's CRC) and the package's XML parts.
ReadSheet readSheet(const QString& path);

} // namespace vb::test
