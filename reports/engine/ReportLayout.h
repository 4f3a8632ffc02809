#pragma once

#include "reports/engine/ReportDesign.h"
#include "reports/engine/TextFit.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSet>
#include <QTime>

#include <memory>

namespace vb::data {
struct Rows;
}

namespace vb::reports {

struct TaskProgress;

// One positioned thing on a page; rectangles in millimetres from the page's corner.
struct LayoutItem {
    enum class Kind { Text, Line, Image };
    Kind kind = Kind::Text;
    QString control;
    QString section;
    QRectF rect;  // text box (grown with its lines), line from topLeft to bottomRight, or the picture's drawn rectangle
    QRectF clip;  // pictures: the control's box, which the picture never leaves
    QString text; // the text printed, whole; one line unless |lines| says otherwise
    ReportFont font;
    TextAlign align = TextAlign::Left;
    double lineWidth = 0;
    float textWidth = 0;         // mm, of a text on one line
    std::vector<TextLine> lines; // a text on more lines: its lines, top to bottom; else empty
};

struct LayoutPage {
    std::vector<LayoutItem> items;
};

// A report laid out into pages, ready for the renderer and for tests.
struct ReportLayout {
    QString report;
    QString caption;
    double pageWidth = 210, pageHeight = 297; // mm
    std::vector<LayoutPage> pages;
    std::shared_ptr<const QImage> picture;

    // The texts of each page, top to bottom and left to right.
    QList<QStringList> pageTexts() const;
};

// What the showing windows set on a report: label texts by name, the logo, hidden controls.
struct RuntimeState {
    QHash<QString, QString> labels; // by lower-case name
    std::shared_ptr<const QImage> picture;
    int pictureAlignment = 8;
    int sizeMode = 2;
    QSet<QString> hidden;           // lower-case names, for this showing
    QDate date;                     // the date printed by %d and %D
    QTime time;
};

// Lays the rows of |root| (the rows of the design's data member) out into pages. With
// |progress|, counts the pages as they start and stops (throwing TaskCancelled) when asked.
ReportLayout layoutReport(const ReportDesign& design, const data::Rows& root, const RuntimeState& state,
                          TaskProgress* progress = nullptr);

} // namespace vb::reports
