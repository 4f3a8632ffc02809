#pragma once

#include "reports/engine/ReportLayout.h"

#include <QString>

class QIODevice;
class QPainter;
class QPrinter;

namespace vb::reports {

// Draws page |page| of |layout| with |painter|, |pixelsPerMm| device pixels to the millimetre,
// the page's top-left corner at the painter's origin.
void renderPage(QPainter& painter, const ReportLayout& layout, int page, double pixelsPerMm);

// Writes every page of |layout| as a PDF document to |device| (open for writing). Throws
// vb::Error when the document cannot be written.
void writePdf(const ReportLayout& layout, QIODevice& device);
// Writes the PDF to the file |path|, replacing it. Throws vb::Error.
void writePdf(const ReportLayout& layout, const QString& path);

// Prints the pages of |layout| on |printer| (its page range, if the user chose one).
// Throws vb::Error when the printer cannot start.
void printLayout(const ReportLayout& layout, QPrinter& printer);

} // namespace vb::reports
