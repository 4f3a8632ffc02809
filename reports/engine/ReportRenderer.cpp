#include "reports/engine/ReportRenderer.h"

#include "core/Error.h"
#include "reports/engine/BackgroundTask.h"

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <deque>

namespace vb::reports {

namespace {

QPageLayout pageLayoutOf(const ReportLayout& layout)
{
    const bool landscape = layout.pageWidth > layout.pageHeight;
    return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Draws pages through one painter in print units, keeping the fonts and the pen it set
// from one item and one page to the next.
class PageDrawer {
public:
    PageDrawer(QPainter& painter, double pixelsPerMm) : m_painter(painter), m_pixelsPerMm(pixelsPerMm) {}

    void draw(const ReportLayout& layout, int page)
    {
        if (page < 0 || page >= int(layout.pages.size()))
            return;
        QPainter& p = m_painter;
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const double scale = m_pixelsPerMm / kUnitsPerMm;
        if (scale != 1.0)
            p.scale(scale, scale);
        m_font = nullptr;
        m_penWidth = -1;
        for (const LayoutItem& it : layout.pages[size_t(page)].items) {
            switch (it.kind) {
            case LayoutItem::Kind::Text:
                if (!it.text.isEmpty())
                    drawText(it);
                break;
            case LayoutItem::Kind::Line: {
                // At least one device pixel wide.
                setPenWidth(std::max(kUnitsPerMm / m_pixelsPerMm, it.lineWidth * kUnitsPerMm));
                p.drawLine(units(it.rect.topLeft()), units(it.rect.bottomRight()));
                break;
            }
            case LayoutItem::Kind::Image:
                if (layout.picture) {
                    const bool inside = it.clip.contains(it.rect);
                    if (!inside) {
                        p.save();
                        p.setClipRect(units(it.clip));
                    }
                    p.drawImage(units(it.rect), *layout.picture);
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
        ReportFont design;
        QFont font;
        double ascent = 0, height = 0; // print units
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

    const Font& useFont(const ReportFont& design)
    {
        if (m_font && m_font->design == design)
            return *m_font;
        const Font* found = nullptr;
        for (const Font& f : m_fonts)
            if (f.design == design)
                found = &f;
        if (!found) {
            Font f;
            f.design = design;
            f.font = printFont(design);
            const QFontMetricsF metrics(f.font);
            f.ascent = metrics.ascent();
            f.height = metrics.height();
            m_fonts.push_back(std::move(f));
            found = &m_fonts.back();
        }
        m_painter.setFont(found->font);
        m_font = found;
        return *found;
    }

    // Each line at a point: at the left, the middle or the right of the box by its
    // measured width, the first line in the middle of the box's designed height. A text
    // that does not fit its box is cut at it.
    void drawText(const LayoutItem& it)
    {
        if (m_penWidth < 0)
            setPenWidth(1);
        const Font& font = useFont(it.font);
        const QRectF box = units(it.rect);
        const size_t count = std::max<size_t>(1, it.lines.size());
        const double firstHeight = box.height() - double(count - 1) * font.height;
        double widest = it.textWidth;
        for (const TextLine& line : it.lines)
            widest = std::max(widest, double(line.width));
        const bool fits = widest * kUnitsPerMm <= box.width() + 0.5 && font.height <= firstHeight + 0.5;
        if (!fits) {
            m_painter.save();
            m_painter.setClipRect(box);
        }
        double baseline = box.top() + (firstHeight - font.height) / 2 + font.ascent;
        const auto lineAt = [&](double width) {
            switch (it.align) {
            case TextAlign::Right: return box.right() - width * kUnitsPerMm;
            case TextAlign::Center: return box.left() + (box.width() - width * kUnitsPerMm) / 2;
            case TextAlign::Left: break;
            }
            return box.left();
        };
        if (it.lines.empty()) {
            m_painter.drawText(QPointF(lineAt(it.textWidth), baseline), it.text);
        } else {
            for (const TextLine& line : it.lines) {
                if (line.length > 0)
                    m_painter.drawText(QPointF(lineAt(line.width), baseline), it.text.mid(line.start, line.length));
                baseline += font.height;
            }
        }
        if (!fits)
            m_painter.restore(); // the same font and pen as before the clip

    }

    QPainter& m_painter;
    double m_pixelsPerMm;
    std::deque<Font> m_fonts;
    const Font* m_font = nullptr;
    double m_penWidth = -1;
};

// Draws every page through |painter|, calling |newPage| between pages; false stops.
template <typename NewPage>
void renderPages(QPainter& painter, const ReportLayout& layout, double pixelsPerMm, int from, int to, NewPage newPage,
                 TaskProgress* progress)
{
    if (progress)
        progress->total = std::max(0, to - from + 1);
    PageDrawer drawer(painter, pixelsPerMm);
    for (int i = from; i <= to; ++i) {
        if (i > from && !newPage())
            throw Error(QStringLiteral("Impossibile aggiungere una pagina alla stampa."));
        drawer.draw(layout, i);
        if (progress)
            progress->pageDone();
    }
}

} // namespace

void renderPage(QPainter& painter, const ReportLayout& layout, int page, double pixelsPerMm)
{
    PageDrawer(painter, pixelsPerMm).draw(layout, page);
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
