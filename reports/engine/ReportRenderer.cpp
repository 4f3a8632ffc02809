#include "reports/engine/ReportRenderer.h"

#include "core/Error.h"
#include "reports/engine/BackgroundTask.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace vb::reports {

namespace {

QFont fontOf(const ReportFont& f, double pixelsPerMm)
{
    QFont font(f.family);
    // Pixel sizes keep the printed size the same on every device: 1 pt = 25.4 / 72 mm.
    font.setPixelSize(std::max(1, int(f.size * 25.4 / 72.0 * pixelsPerMm + 0.5)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

QRectF scaled(const QRectF& r, double k) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); }

QPageLayout pageLayoutOf(const ReportLayout& layout)
{
    const bool landscape = layout.pageWidth > layout.pageHeight;
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Draws every page through |painter|, calling |newPage| between pages; false stops.
template <typename NewPage>
void renderPages(QPainter& painter, const ReportLayout& layout, double pixelsPerMm, int from, int to, NewPage newPage,
                 TaskProgress* progress)
{
    if (progress)
        progress->total = std::max(0, to - from + 1);
    for (int i = from; i <= to; ++i) {
        if (i > from && !newPage())
            throw Error(QStringLiteral("Impossibile aggiungere una pagina alla stampa."));
        renderPage(painter, layout, i, pixelsPerMm);
        if (progress)
            progress->pageDone();
    }
}

} // namespace

void renderPage(QPainter& painter, const ReportLayout& layout, int page, double pixelsPerMm)
{
    if (page < 0 || page >= int(layout.pages.size()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::black);
    for (const LayoutItem& it : layout.pages[size_t(page)].items) {
        const QRectF r = scaled(it.rect, pixelsPerMm);
        switch (it.kind) {
        case LayoutItem::Kind::Text: {
            painter.setFont(fontOf(it.font, pixelsPerMm));
            const Qt::Alignment h = it.align == TextAlign::Right    ? Qt::AlignRight
                                    : it.align == TextAlign::Center ? Qt::AlignHCenter
                                                                    : Qt::AlignLeft;
            painter.save();
            painter.setClipRect(r);
            painter.drawText(r, int(h | Qt::AlignVCenter | Qt::TextSingleLine), it.text);
            painter.restore();
            break;
        }
        case LayoutItem::Kind::Line:
            painter.setPen(QPen(Qt::black, std::max(1.0, it.lineWidth * pixelsPerMm)));
            painter.drawLine(r.topLeft(), r.bottomRight());
            painter.setPen(Qt::black);
            break;
        case LayoutItem::Kind::Image:
            if (layout.picture) {
                painter.save();
                painter.setClipRect(scaled(it.clip, pixelsPerMm));
                painter.drawImage(r, *layout.picture);
                painter.restore();
            }
            break;
        }
    }
    painter.restore();
}

void writePdf(const ReportLayout& layout, QIODevice& device, TaskProgress* progress)
{
    QPdfWriter writer(&device);
    writer.setResolution(300);
    writer.setPageLayout(pageLayoutOf(layout));
    writer.setTitle(layout.caption);
    writer.setCreator(QStringLiteral("Vellumbra"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(QStringLiteral("Impossibile scrivere il documento PDF."));
    const double pixelsPerMm = writer.resolution() / 25.4;
    renderPages(painter, layout, pixelsPerMm, 0, std::max(0, int(layout.pages.size()) - 1),
                [&] { return writer.newPage(); }, progress);
    if (!painter.end())
        throw Error(QStringLiteral("Impossibile scrivere il documento PDF."));
}

void writePdf(const ReportLayout& layout, const QString& path, TaskProgress* progress)
{
    // Written aside and renamed at the end, so a failed save leaves no half-written file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Impossibile creare il file %1.").arg(path));
    writePdf(layout, file, progress);
    if (!file.commit())
        throw Error(QStringLiteral("Impossibile salvare il file %1.").arg(path));
}

void printLayout(const ReportLayout& layout, QPrinter& printer, TaskProgress* progress)
{
    printer.setPageLayout(pageLayoutOf(layout));
    printer.setFullPage(true);
    printer.setDocName(layout.caption);
    int from = 0, to = int(layout.pages.size()) - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(0, printer.fromPage() - 1);
        to = std::min(to, printer.toPage() - 1);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(QStringLiteral("Impossibile avviare la stampa."));
    const double pixelsPerMm = printer.resolution() / 25.4;
    try {
        if (from <= to)
            renderPages(painter, layout, pixelsPerMm, from, to, [&] { return printer.newPage(); }, progress);
    } catch (...) {
        printer.abort(); // nothing half-printed goes to the printer
        throw;
    }
    painter.end();
}

} // namespace vb::reports
