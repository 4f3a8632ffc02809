#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace vb::reports {

// What a window sets on a report before showing it.
struct ShowOptions {
    QString logoPath;                // picture for Image1 of the report header; empty: not set
    QString headingLabel;            // name of the heading label, e.g. "LabelIntestazione"
    QString heading;                 // the association heading
    QHash<QString, QString> labels;  // further labels set at run time, by name
    QStringList hiddenControls;      // controls hidden for this showing, by name
};

// The show pattern of every printout: closes the record set of the report's command if it
// is open (so that it runs again), sets the logo, the heading and the further labels on
// the program-wide instance of the report and shows it modeless in a preview window at
// once. The command runs (on the rows committed by then) and the pages are laid out on a
// worker thread, so the window never freezes; the preview fills when they are ready, and a
// failing command then closes it and shows its description.
// Throws vb::Error (a missing logo or design, no open archive).
void showReport(const QString& reportName, const ShowOptions& options);

// The texts of the last showing of |reportName|, page by page, top to bottom (for tests);
// waits, processing events, while that showing is being prepared.
QList<QStringList> shownPageTexts(const QString& reportName);

} // namespace vb::reports
