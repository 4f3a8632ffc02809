#pragma once

#include "reports/engine/ReportDesign.h"
#include "reports/engine/TextFit.h"

#include <QDate>
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSet>
#include <QTime>

#include <functional>
#include <memory>

namespace vb::data {
class Rows;
}

namespace vb {
struct TaskProgress;
}

namespace vb::reports {

// What a laid-out item shows, shared by every item of one control.
struct LayoutControl {
    QString name;
    QString section;
    int font = 0; // in ReportLayout::fonts()
    TextAlign align = TextAlign::Left;
    double lineWidth = 0;
};

// One positioned thing on a page; rectangles in millimetres from the page's corner.
struct LayoutItem {
    enum class Kind : quint8 { Text, Line, Image };
    Kind kind = Kind::Text;
    quint16 control = 0;   // in ReportLayout::controls()
    quint32 firstLine = 0; // a text on more lines: its lines in LayoutPage::lines
    quint32 lineCount = 0; // 0: one line, |textWidth| wide
    float textWidth = 0;   // mm
    QRectF rect;           // text box (grown with its lines), line from topLeft to bottomRight, picture's box
    QString text;          // the text printed, whole
};

struct LayoutPage {
    std::vector<LayoutItem> items;
    std::vector<TextLine> lines; // of the texts on more lines, item after item

    // The lines |it| is drawn in, top to bottom.
    QStringList textLines(const LayoutItem& it) const;
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

// A report laid out into pages. It keeps where each page starts, not the pages: a page is
// laid out again from the rows whenever it is asked for, so that its memory grows with the
// pages drawn at a time, not with the report. Copies share the same pages; every const
// member may be called from any thread.
class ReportLayout {
public:
    ReportLayout() = default;

    QString report;
    QString caption;
    double pageWidth = 210, pageHeight = 297; // mm
    std::shared_ptr<const QImage> picture;

    int pageCount() const;
    // Page |index| (from 0) laid out; an empty page out of range.
    LayoutPage page(int index) const;
    // Lays out the pages |from| to |to| one after the other, handing each to |visit|
    // (which may throw to stop).
    void forEachPage(int from, int to, const std::function<void(int, const LayoutPage&)>& visit) const;
    // The texts of each page, top to bottom and left to right.
    QList<QStringList> pageTexts() const;

    const std::vector<LayoutControl>& controls() const;
    const std::vector<ReportFont>& fonts() const;
    const LayoutControl& control(const LayoutItem& it) const { return controls()[it.control]; }
    // Where the picture of an image item is drawn within its box.
    QRectF pictureRect(const LayoutItem& it) const;

    struct Plan; // what the pages are laid out from, private to the layout

private:
    friend ReportLayout layoutReport(std::shared_ptr<const ReportDesign>, std::shared_ptr<const data::Rows>,
                                     const RuntimeState&, TaskProgress*);
    std::shared_ptr<const Plan> m_plan;
};

// Lays the rows of |root| (the rows of the design's data member) out into pages; the
// layout keeps the design and the rows. With |progress|, counts the pages as they start
// and stops (throwing TaskCancelled) when asked.
ReportLayout layoutReport(std::shared_ptr<const ReportDesign> design, std::shared_ptr<const data::Rows> root,
                          const RuntimeState& state, TaskProgress* progress = nullptr);
ReportLayout layoutReport(const ReportDesign& design, data::Rows root, const RuntimeState& state,
                          TaskProgress* progress = nullptr);

} // namespace vb::reports
