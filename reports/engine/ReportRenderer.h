#pragma once

#include "reports/engine/ReportLayout.h"

#include <QString>

class QIODevice;
class QPainter;
class QPrinter;

namespace vb {
struct TaskProgress;
}

namespace vb::reports {

// Draws page |page| of |layout| with |painter|, |pixelsPerMm| device pixels to the millimetre,
// the page's top-left corner at the painter's origin.
void renderPage(QPainter& painter, const ReportLayout& layout, int page, double pixelsPerMm);

// These may run on a worker thread. With |progress| they set its total, count the pages
// drawn and stop when asked (throwing TaskCancelled).

// Writes every page of |layout| as a PDF document to |device| (open for writing). Throws
// vb::Error when the document cannot be written.
void writePdf(const ReportLayout& layout, QIODevice& device, TaskProgress* progress = nullptr);
// Writes the PDF to the file |path|, replacing it; a failed or stopped write leaves the
// file as it was. Throws vb::Error.
void writePdf(const ReportLayout& layout, const QString& path, TaskProgress* progress = nullptr);

// Prints the pages of |layout| on |printer| (its page range, if the user chose one); a
// stopped print is aborted. Throws vb::Error when the printer cannot start.
void printLayout(const ReportLayout& layout, QPrinter& printer, TaskProgress* progress = nullptr);

} // namespace vb::reports
