#pragma once

#include "bench/SideBySide.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/TextFit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QIODevice>
#include <QLineF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>

// The floors the report paths are measured against, and the side-by-side timing that puts
// their ratio in the benchmark's own output.
namespace vb::bench {

// The report |design| laid out again from its command run anew, as a showing does.
inline reports::ReportLayout layoutAgain(const reports::ReportDesign& design, const reports::RuntimeState& state)
{
    auto& env = data::DataEnvironment1::instance();
    env.Recordset(design.dataMember).Close();
    env.Open(design.dataMember);
    return reports::layoutReport(std::make_shared<const reports::ReportDesign>(design),
                                 env.Recordset(design.dataMember).sharedRows(), state);
}

// Every row of |sql| read with the bare sqlite3 calls: each column as the C API gives it.
inline void readBare(sqlite3* db, const QByteArray& sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr) != SQLITE_OK)
        return;
    const int columns = sqlite3_column_count(st);
    qint64 bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c)
            bytes += sqlite3_column_type(st, c) == SQLITE_INTEGER ? sqlite3_column_int64(st, c) & 1
                                                                  : sqlite3_column_bytes(st, c);
    benchmark::DoNotOptimize(bytes);
    sqlite3_finalize(st);
}

// What a laid-out report puts on its pages, in the PDF writer's units: strings at their
// points, lines and the logo. Drawn bare, it is the floor of writing the report's PDF.
struct FloorDocument {
    struct Text {
        int font = 0;
        QPointF at;
        QString text;
    };
    struct Line {
        QLineF line;
        double width = 0;
    };
    struct Page {
        std::vector<Text> texts;
        std::vector<Line> lines;
        std::vector<QRectF> pictures;
    };
    std::vector<QFont> fonts;
    std::vector<Page> pages;
    bool landscape = false;
    std::shared_ptr<const QImage> picture;
};

// The strings of every page of |layout| at the points the report's renderer draws them.
inline FloorDocument floorOf(const reports::ReportLayout& layout)
{
    using reports::kUnitsPerMm;
    FloorDocument doc;
    doc.landscape = layout.pageWidth > layout.pageHeight;
    doc.picture = layout.picture;
    std::vector<std::pair<double, double>> metrics; // ascent, height
    for (const reports::ReportFont& f : layout.fonts()) {
        doc.fonts.push_back(reports::printFont(f));
        const QFontMetricsF m(doc.fonts.back());
        metrics.emplace_back(m.ascent(), m.height());
    }
    layout.forEachPage(0, layout.pageCount() - 1, [&](int, const reports::LayoutPage& page) {
        FloorDocument::Page out;
        for (const reports::LayoutItem& it : page.items) {
            const reports::LayoutControl& control = layout.control(it);
            const QRectF box(it.rect.x() * kUnitsPerMm, it.rect.y() * kUnitsPerMm, it.rect.width() * kUnitsPerMm,
                             it.rect.height() * kUnitsPerMm);
            switch (it.kind) {
            case reports::LayoutItem::Kind::Text: {
                if (it.text.isEmpty())
                    break;
                const auto [ascent, height] = metrics[size_t(control.font)];
                const quint32 count = std::max<quint32>(1, it.lineCount);
                double baseline = box.top() + (box.height() - double(count - 1) * height - height) / 2 + ascent;
                const auto left = [&](double width) {
                    if (control.align == reports::TextAlign::Right)
                        return box.right() - width * kUnitsPerMm;
                    if (control.align == reports::TextAlign::Center)
                        return box.left() + (box.width() - width * kUnitsPerMm) / 2;
                    return box.left();
                };
                if (it.lineCount == 0)
                    out.texts.push_back({control.font, QPointF(left(it.textWidth), baseline), it.text});
                for (quint32 i = 0; i < it.lineCount; ++i) {
                    const reports::TextLine& line = page.lines[it.firstLine + i];
                    out.texts.push_back({control.font, QPointF(left(line.width), baseline), it.text.mid(line.start, line.length)});
                    baseline += height;
                }
                break;
            }
            case reports::LayoutItem::Kind::Line:
                out.lines.push_back({QLineF(box.topLeft(), box.bottomRight()), control.lineWidth * kUnitsPerMm});
                break;
            case reports::LayoutItem::Kind::Image: {
                const QRectF r = layout.pictureRect(it);
                out.pictures.push_back(QRectF(r.x() * kUnitsPerMm, r.y() * kUnitsPerMm, r.width() * kUnitsPerMm,
                                              r.height() * kUnitsPerMm));
                break;
            }
            }
        }
        doc.pages.push_back(std::move(out));
    });
    return doc;
}

// |doc| drawn with a bare QPainter on a QPdfWriter: each string at its point.
inline void drawFloor(const FloorDocument& doc, QIODevice& device)
{
    QPdfWriter writer(&device);
    writer.setResolution(720);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), doc.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    QPainter painter(&writer);
    for (size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0)
            writer.newPage();
        const FloorDocument::Page& page = doc.pages[p];
        int font = -1;
        for (const FloorDocument::Text& t : page.texts) {
            if (t.font != font) {
                painter.setFont(doc.fonts[size_t(t.font)]);
                font = t.font;
            }
            painter.drawText(t.at, t.text);
        }
        double width = -1;
        for (const FloorDocument::Line& l : page.lines) {
            if (l.width != width) {
                painter.setPen(QPen(Qt::black, l.width));
                width = l.width;
            }
            painter.drawLine(l.line);
        }
        for (const QRectF& r : page.pictures)
            if (doc.picture)
                painter.drawImage(r, *doc.picture);
    }
}

// ---- memory of the benchmark's own process (Linux)

inline double statusMb(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

inline double residentMb() { return statusMb("VmRSS:"); }
// The highest the resident memory got since the last resetPeakMemory.
inline double peakMb() { return statusMb("VmHWM:"); }
inline void resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}
// Gives the freed heap back to the system, so that what follows starts from what is in use.
inline void trimHeap() { malloc_trim(0); }

} // namespace vb::bench
