#include "reports/engine/ReportRenderer.h"

#include "core/BackgroundTask.h"
#include "core/Error.h"
#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>


namespace vb::reports {

namespace {

QPageLayout pageLayoutOf(const ReportLayout& layout)
{
    const bool landscape = layout.pageWidth > layout.pageHeight;
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Draws pages through one painter in print units, keeping the fonts and the pen it set
// from one item and one page to the next: each text at a point, clipped only where it
// would not fit its box, and no state saved and restored around the items.
class PageDrawer {
public:
    PageDrawer(QPainter& painter, const ReportLayout& layout, double pixelsPerMm)
        : m_painter(painter), m_layout(layout), m_pixelsPerMm(pixelsPerMm), m_fonts(layout.fonts().size())
    {
    }

    void draw(const LayoutPage& page)
    {
        QPainter& p = m_painter;
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const double scale = m_pixelsPerMm / kUnitsPerMm;
        if (scale != 1.0)
            p.scale(scale, scale);
        m_font = -1;
        m_penWidth = -1;
        for (const LayoutItem& it : page.items) {
            switch (it.kind) {
            case LayoutItem::Kind::Text:
                if (!it.text.isEmpty())
                    drawText(page, it);
                break;
            case LayoutItem::Kind::Line:
                // At least one device pixel wide.
                setPenWidth(std::max(kUnitsPerMm / m_pixelsPerMm, m_layout.control(it).lineWidth * kUnitsPerMm));
                p.drawLine(units(it.rect.topLeft()), units(it.rect.bottomRight()));
                break;
            case LayoutItem::Kind::Image:
                if (m_layout.picture) {
                    const QRectF picture = m_layout.pictureRect(it);
                    const bool inside = it.rect.contains(picture);
                    if (!inside) {
                        p.save();
                        p.setClipRect(units(it.rect));
                    }
                    p.drawImage(units(picture), *m_layout.picture);
                    if (!inside)
                        p.restore();
                }
                break;
            }
        }
        p.restore();
    }

private:
    struct Font {
        QFont font;
        double ascent = 0, height = 0; // print units
        bool made = false;
    };

    static QPointF units(const QPointF& mm) { return mm * kUnitsPerMm; }
    static QRectF units(const QRectF& mm)
    {
        return QRectF(mm.x() * kUnitsPerMm, mm.y() * kUnitsPerMm, mm.width() * kUnitsPerMm, mm.height() * kUnitsPerMm);
    }

    void setPenWidth(double width)
    {
        if (width == m_penWidth)
            return;
        m_painter.setPen(QPen(Qt::black, width));
        m_penWidth = width;
    }

    const Font& useFont(int index)
    {
        Font& f = m_fonts[size_t(index)];
        if (!f.made) {
            f.font = printFont(m_layout.fonts()[size_t(index)]);
            const QFontMetricsF metrics(f.font);
            f.ascent = metrics.ascent();
            f.height = metrics.height();
            f.made = true;
        }
        if (m_font != index) {
            m_painter.setFont(f.font);
            m_font = index;
        }
        return f;
    }

    // Each line at a point: at the left, the middle or the right of the box by its
    // measured width, the first line in the middle of the box's designed height.
    void drawText(const LayoutPage& page, const LayoutItem& it)
    {
        if (m_penWidth < 0)
            setPenWidth(1);
        const LayoutControl& control = m_layout.control(it);
        const Font& font = useFont(control.font);
        const QRectF box = units(it.rect);
        const quint32 count = std::max<quint32>(1, it.lineCount);
        const double firstHeight = box.height() - double(count - 1) * font.height;
        double widest = it.textWidth;
        for (quint32 i = 0; i < it.lineCount; ++i)
            widest = std::max(widest, double(page.lines[it.firstLine + i].width));
        const bool fits = widest * kUnitsPerMm <= box.width() + 0.5 && font.height <= firstHeight + 0.5;
        if (!fits) {
            m_painter.save();
            m_painter.setClipRect(box);
        }
        double baseline = box.top() + (firstHeight - font.height) / 2 + font.ascent;
        const auto left = [&](double width) {
            switch (control.align) {
            case TextAlign::Right: return box.right() - width * kUnitsPerMm;
            case TextAlign::Center: return box.left() + (box.width() - width * kUnitsPerMm) / 2;
            case TextAlign::Left: break;
            }
            return box.left();
        };
        if (it.lineCount == 0) {
            m_painter.drawText(QPointF(left(it.textWidth), baseline), it.text);
        } else {
            for (quint32 i = 0; i < it.lineCount; ++i) {
                const TextLine& line = page.lines[it.firstLine + i];
                if (line.length > 0)
                    m_painter.drawText(QPointF(left(line.width), baseline), it.text.mid(line.start, line.length));
                baseline += font.height;
            }
        }
        if (!fits)
            m_painter.restore(); // the same font and pen as before the clip
    }

    QPainter& m_painter;
    const ReportLayout& m_layout;
    double m_pixelsPerMm;
    std::vector<Font> m_fonts; // by the layout's font index, made on first use
    int m_font = -1;
    double m_penWidth = -1;
};

// Lays out and draws the pages |from| to |to| through |painter|, calling |newPage| between
// pages; false stops.
template <typename NewPage>
void renderPages(QPainter& painter, const ReportLayout& layout, double pixelsPerMm, int from, int to, NewPage newPage,
                 TaskProgress* progress)
{
    if (progress)
        progress->total = std::max(0, to - from + 1);
    PageDrawer drawer(painter, layout, pixelsPerMm);
    layout.forEachPage(from, to, [&](int i, const LayoutPage& page) {
        if (i > from && !newPage())
            throw Error(QStringLiteral("Impossibile aggiungere una pagina alla stampa."));
        drawer.draw(page);
        if (progress)
            progress->pageDone();
    });
}

} // namespace

void renderPage(QPainter& painter, const ReportLayout& layout, int page, double pixelsPerMm)
{
    if (page < 0 || page >= layout.pageCount())
        return;
    PageDrawer(painter, layout, pixelsPerMm).draw(layout.page(page));
}

void writePdf(const ReportLayout& layout, QIODevice& device, TaskProgress* progress)
{
    QPdfWriter writer(&device);
    // Print units are the writer's own pixels: nothing to scale.
    writer.setResolution(720);
    writer.setPageLayout(pageLayoutOf(layout));
    writer.setTitle(layout.caption);
    writer.setCreator(QStringLiteral("Vellumbra"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw Error(QStringLiteral("Impossibile scrivere il documento PDF."));
    const double pixelsPerMm = writer.resolution() / 25.4;
    renderPages(painter, layout, pixelsPerMm, 0, std::max(0, layout.pageCount() - 1),
                [&] { return writer.newPage(); }, progress);
    if (!painter.end())
        throw Error(QStringLiteral("Impossibile scrivere il documento PDF."));
}

void writePdf(const ReportLayout& layout, const QString& path, TaskProgress* progress)
{
    // Written aside and renamed at the end, so a failed save leaves no half-written file; a
    // report may hold members' personal data, so the file is private.
    QString cause;
    if (!files::saveAtomically(path, [&](QIODevice& file) { writePdf(layout, file, progress); }, &cause))
        throw Error(QStringLiteral("Impossibile salvare il file %1: %2.").arg(QDir::toNativeSeparators(path), cause));
}

void printLayout(const ReportLayout& layout, QPrinter& printer, TaskProgress* progress)
{
    printer.setPageLayout(pageLayoutOf(layout));
    printer.setFullPage(true);
    printer.setDocName(layout.caption);
    int from = 0, to = layout.pageCount() - 1;
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
