#include "reports/engine/ReportLayout.h"

#include "core/BackgroundTask.h"
#include "core/Format.h"
#include "data/RecordSet.h"
#include "reports/engine/FieldFormat.h"

#include <algorithm>
#include <cmath>

namespace vb::reports {

namespace {

constexpr double kEpsilon = 1e-6;

QString resolveSpecials(const QString& text, int page, int pages, const QDate& date, const QTime& time)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const QChar c = text[++i];
        switch (c.unicode()) {
        case 'p': out += QString::number(page); break;
        case 'P': out += QString::number(pages); break;
        case 'd': out += fmt::date(date); break;
        case 'D': out += fmt::longDate(date); break;
        case 't': out += time.toString(QStringLiteral("HH:mm")); break;
        case 'T': out += fmt::time(time); break;
        case '%': out += u'%'; break;
        default: out += u'%'; out += c; break;
        }
    }
    return out;
}

int depthOf(const QString& path) { return int(path.count(QLatin1Char('.'))); }

bool hasBreaks(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; });
}

// Sum (or count) of |field| over the rows of the level |path| below |rows| (at |depth|).
void accumulate(const data::Rows& rows, int depth, const QStringList& path, const QString& field, qint64& sum,
                qint64& count)
{
    const int target = int(path.size()) - 1;
    if (depth == target) {
        const int f = rows.field(field);
        count += qint64(rows.size());
        if (f >= 0)
            for (size_t row = 0; row < rows.size(); ++row)
                sum += rows.integerAt(row, f);
        return;
    }
    const int ci = rows.child(path[depth + 1]);
    if (ci < 0)
        return;
    for (size_t row = 0; row < rows.size(); ++row)
        accumulate(rows.children(row, ci), depth + 1, path, field, sum, count);
}

// One control as every page lays it out, resolved once per showing.
struct PlanControl {
    const Control* design = nullptr;
    quint16 index = 0; // in the layout's controls
    int font = 0;
    int depth = 0;     // text boxes: depth of the level they read
    FormatKind format = FormatKind::None;
    QString text;      // labels: the text shown; functions at report level: the sum
    bool special = false; // a label with page specials, which stays on one line
    bool canGrow = false;
    QStringList path;  // functions: the level summed
};

struct PlanSection {
    const Section* design = nullptr;
    std::vector<PlanControl> controls; // those that print in this showing
    bool grows = false;                // whether a control may grow
    bool specials = false;             // whether a label shows page specials
};

} // namespace

// Everything a page is laid out from: the design resolved against the showing, the rows,
// and where each page starts.
struct ReportLayout::Plan {
    std::shared_ptr<const ReportDesign> design;
    std::shared_ptr<const data::Rows> root;
    RuntimeState state;
    std::vector<LayoutControl> controls;
    std::vector<ReportFont> fonts;
    QStringList detailPath;
    PlanSection reportHeader, pageHeader, detail, pageFooter, reportFooter;
    std::vector<PlanSection> groupHeaders, groupFooters; // by depth
    double bodyBottom = 0;
    double room = 0; // the height a content section has on a page of its own

    // Where a page starts: the section about to be placed first, the row of each level.
    enum Step : quint8 { Start, Header, Detail, Footer, ReportFooter, End };
    struct PageStart {
        quint32 rows = 0; // in |startRows|
        quint8 step = Start;
        qint8 depth = -1;
    };
    std::vector<PageStart> pages;
    std::vector<qint32> startRows;

    int fontIndex(const ReportFont& f)
    {
        const auto it = std::find(fonts.begin(), fonts.end(), f);
        if (it != fonts.end())
            return int(it - fonts.begin());
        fonts.push_back(f);
        return int(fonts.size()) - 1;
    }

    PlanSection compile(const Section* s)
    {
        PlanSection out;
        out.design = s;
        if (!s)
            return out;
        const bool dataSection = s->role == SectionRole::GroupHeader || s->role == SectionRole::GroupFooter
                                 || s->role == SectionRole::Detail;
        const QString sectionLevel = s->level.isEmpty() ? design->dataMember : s->level;
        for (const Control& c : s->controls) {
            const QString key = c.name.toLower();
            if (!c.visible || state.hidden.contains(key))
                continue;
            if (c.kind == ControlKind::Image && (!state.picture || state.picture->isNull()))
                continue;
            PlanControl pc;
            pc.design = &c;
            pc.index = quint16(controls.size());
            pc.font = fontIndex(c.font);
            pc.format = formatKind(c.format);
            switch (c.kind) {
            case ControlKind::Label:
                pc.text = state.labels.value(key, c.text);
                pc.special = pc.text.contains(u'%');
                break;
            case ControlKind::TextBox:
                pc.depth = depthOf(c.member.isEmpty() ? sectionLevel : c.member);
                break;
            case ControlKind::Function:
                pc.path = (c.member.isEmpty() ? design->detailLevel() : c.member).split(QLatin1Char('.'));
                if (!dataSection) {
                    // Over every row of the report: the same on every page, summed once.
                    qint64 sum = 0, count = 0;
                    accumulate(*root, 0, pc.path, c.field, sum, count);
                    pc.text = formatValue(QVariant(qlonglong(c.function == QLatin1String("count") ? count : sum)), c.format);
                }
                break;
            case ControlKind::Line:
            case ControlKind::Image:
                break;
            }
            pc.canGrow = c.canGrow && !pc.special;
            out.grows = out.grows || pc.canGrow;
            out.specials = out.specials || pc.special;
            controls.push_back({c.name, s->name, pc.font, c.align, c.lineWidth});
            out.controls.push_back(std::move(pc));
        }
        return out;
    }
};

namespace {

using Plan = ReportLayout::Plan;

// Walks the rows of a plan in print order and lays its sections out onto pages: once over
// the whole report to find where each page starts, and again from any of those starts to
// lay out the pages themselves. Each walk has its own state, so that several may run at
// once on one plan.
class Walker {
public:
    explicit Walker(const Plan& plan) : m_plan(plan)
    {
        const size_t depth = size_t(plan.detailPath.size());
        m_levels.assign(depth, nullptr);
        m_index.assign(depth, 0);
        m_childIndex.assign(depth, -2);
        m_fieldIndex.assign(plan.controls.size(), -2);
        m_fits.resize(plan.fonts.size());
    }

    // Finds where every page starts, counting the pages in |progress|.
    void paginate(Plan& plan, TaskProgress* progress)
    {
        plan.pages.clear();
        plan.startRows.clear();
        plan.pages.push_back({});
        if (progress)
            progress->pageDone();
        m_y = plan.design->marginTop + headerHeights(true);
        m_bodyTop = m_y;
        bool breakPending = false;
        while (advance()) {
            const PlanSection* s = section();
            if (!s)
                continue;
            const double height = s->grows ? prepare(*s, true, m_band) : s->design->height;
            const bool full = m_y + height > m_plan.bodyBottom + kEpsilon && m_y > m_bodyTop + kEpsilon;
            if (breakPending || full) {
                plan.pages.push_back({quint32(plan.startRows.size()), quint8(m_step), qint8(m_depth)});
                plan.startRows.insert(plan.startRows.end(), m_index.begin(), m_index.begin() + (m_depth + 1));
                if (progress)
                    progress->pageDone();
                m_y = plan.design->marginTop + headerHeights(false);
                m_bodyTop = m_y;
                breakPending = false;
            }
            m_y += height;
            breakPending = s->design->newPageAfter;
        }
    }

    // Goes to the start of page |index|.
    void seek(int index)
    {
        const Plan::PageStart& start = m_plan.pages[size_t(index)];
        m_step = Plan::Step(start.step);
        m_depth = start.depth;
        for (int d = 0; d <= m_depth; ++d) {
            m_index[size_t(d)] = m_plan.startRows[start.rows + quint32(d)];
            m_levels[size_t(d)] = d == 0 ? m_plan.root.get() : children(d - 1);
        }
        m_pending = index > 0;
        m_bandReady = false;
    }

    // Lays out page |index| from where the walk stands (its start) into |page|; the walk
    // then stands at the start of the next page.
    void layPage(int index, LayoutPage& page)
    {
        page.items.clear();
        page.lines.clear();
        m_pageIndex = index;
        if (m_bandReady && section()->specials)
            m_bandReady = false; // its page numbers are this page's
        m_y = m_plan.design->marginTop;
        if (index == 0 && m_plan.reportHeader.design)
            placeNow(m_plan.reportHeader, page);
        if (m_plan.pageHeader.design)
            placeNow(m_plan.pageHeader, page);
        m_bodyTop = m_y;
        bool breakPending = false;
        for (;;) {
            if (!m_pending && !advance())
                break;
            m_pending = false;
            const PlanSection* s = section();
            if (!s)
                continue;
            if (!m_bandReady)
                prepare(*s, false, m_band);
            const bool full = m_y + m_band.height > m_plan.bodyBottom + kEpsilon && m_y > m_bodyTop + kEpsilon;
            if (breakPending || full) {
                m_pending = true; // the first section of the next page, already laid out
                m_bandReady = true;
                break;
            }
            m_bandReady = false;
            place(m_band, page);
            breakPending = s->design->newPageAfter;
        }
        if (m_plan.pageFooter.design) {
            m_y = m_plan.bodyBottom;
            placeNow(m_plan.pageFooter, page);
        }
    }

private:
    // The height of the report header (on the first page) and the page header.
    double headerHeights(bool first)
    {
        double h = 0;
        if (first && m_plan.reportHeader.design)
            h += m_plan.reportHeader.grows ? prepare(m_plan.reportHeader, true, m_frame) : m_plan.reportHeader.design->height;
        if (m_plan.pageHeader.design)
            h += m_plan.pageHeader.design->height;
        return h;
    }

    // ---- the walk over the rows: group headers, details, group footers, report footer

    const data::Rows* children(int depth)
    {
        const data::Rows& rows = *m_levels[size_t(depth)];
        int& ci = m_childIndex[size_t(depth)];
        if (ci == -2)
            ci = rows.child(m_plan.detailPath[depth + 1]);
        if (ci < 0)
            return nullptr;
        return &rows.children(size_t(m_index[size_t(depth)]), ci);
    }

    Plan::Step stepAt(int depth) const
    {
        return depth == int(m_plan.detailPath.size()) - 1 ? Plan::Detail : Plan::Header;
    }

    void enter(const data::Rows* rows, int depth)
    {
        m_levels[size_t(depth)] = rows;
        m_index[size_t(depth)] = 0;
        m_depth = depth;
        m_step = stepAt(depth);
    }

    // Moves to the next section to place; false after the last.
    bool advance()
    {
        switch (m_step) {
        case Plan::Start:
            if (!m_plan.root->empty())
                enter(m_plan.root.get(), 0);
            else
                m_step = Plan::ReportFooter;
            return true;
        case Plan::Header: {
            const data::Rows* child = children(m_depth);
            if (child && !child->empty())
                enter(child, m_depth + 1);
            else
                m_step = Plan::Footer;
            return true;
        }
        case Plan::Detail:
        case Plan::Footer:
            if (m_index[size_t(m_depth)] + 1 < int(m_levels[size_t(m_depth)]->size())) {
                ++m_index[size_t(m_depth)];
                m_step = stepAt(m_depth);
            } else if (--m_depth >= 0) {
                m_step = Plan::Footer;
            } else {
                m_step = Plan::ReportFooter;
            }
            return true;
        case Plan::ReportFooter:
            m_step = Plan::End;
            return false;
        case Plan::End:
            break;
        }
        return false;
    }

    // The section of the current step; nullptr when the design has none.
    const PlanSection* section() const
    {
        const PlanSection* s = nullptr;
        switch (m_step) {
        case Plan::Header: s = &m_plan.groupHeaders[size_t(m_depth)]; break;
        case Plan::Detail: s = &m_plan.detail; break;
        case Plan::Footer: s = &m_plan.groupFooters[size_t(m_depth)]; break;
        case Plan::ReportFooter:
            s = m_plan.reportFooter.design && m_plan.reportFooter.design->height > kEpsilon ? &m_plan.reportFooter : nullptr;
            break;
        case Plan::Start:
        case Plan::End:
            break;
        }
        return s && s->design ? s : nullptr;
    }

    // Depth of the current row for a section of the report or page (-1) or of the walk.
    int sectionDepth(const PlanSection& s) const
    {
        switch (s.design->role) {
        case SectionRole::GroupHeader:
        case SectionRole::GroupFooter:
        case SectionRole::Detail: return m_depth;
        default: return -1;
        }
    }

    // ---- one section laid out

    // The items of a section for the current row, from the section's top, and its height.
    struct Band {
        std::vector<LayoutItem> items;
        std::vector<TextLine> lines;
        std::vector<double> top;    // per item: its top in the design
        std::vector<double> growth; // per item: how much its box grew
        std::vector<const PlanControl*> source;
        double height = 0;
    };

    const TextFit& fit(int font)
    {
        auto& f = m_fits[size_t(font)];
        if (!f)
            f = std::make_unique<TextFit>(m_plan.fonts[size_t(font)]);
        return *f;
    }

    QString fieldText(const PlanControl& c, int depth)
    {
        const int d = std::min(c.depth, depth);
        if (d < 0 || d > m_depth)
            return QString();
        const data::Rows& rows = *m_levels[size_t(d)];
        int& f = m_fieldIndex[c.index];
        if (f == -2)
            f = rows.field(c.design->field);
        if (f < 0)
            return QString();
        return formatValue(rows.at(size_t(m_index[size_t(d)]), f), c.format, c.design->format);
    }

    QString functionText(const PlanControl& c, int depth)
    {
        if (depth < 0)
            return c.text; // over the whole report
        const data::Rows& rows = *m_levels[size_t(depth)];
        const int row = m_index[size_t(depth)];
        qint64 sum = 0, count = 0;
        if (int(c.path.size()) - 1 <= depth) {
            sum = rows.value(row, c.design->field).toLongLong();
            count = 1;
        } else {
            const int ci = rows.child(c.path[depth + 1]);
            if (ci >= 0)
                accumulate(rows.children(size_t(row), ci), depth + 1, c.path, c.design->field, sum, count);
        }
        const qint64 value = c.design->function == QLatin1String("count") ? count : sum;
        return formatValue(QVariant(qlonglong(value)), c.format, c.design->format);
    }

    // Lays out section |s| for the current row into the band; with |growingOnly|, only the
    // controls that may grow, enough for its height. Returns the height.
    double prepare(const PlanSection& s, bool growingOnly, Band& band)
    {
        band.items.clear();
        band.lines.clear();
        band.top.clear();
        band.growth.clear();
        band.source.clear();
        const int depth = sectionDepth(s);
        const double left = m_plan.design->marginLeft;
        for (const PlanControl& pc : s.controls) {
            const Control& c = *pc.design;
            if (growingOnly && !pc.canGrow)
                continue;
            LayoutItem it;
            it.control = pc.index;
            it.rect = QRectF(left + c.x, c.y, c.w, c.h);
            switch (c.kind) {
            case ControlKind::Label:
                it.text = pc.special ? resolveSpecials(pc.text, m_pageIndex + 1, int(m_plan.pages.size()),
                                                       m_plan.state.date, m_plan.state.time)
                                     : pc.text;
                break;
            case ControlKind::TextBox: it.text = fieldText(pc, depth); break;
            case ControlKind::Function: it.text = functionText(pc, depth); break;
            case ControlKind::Line: it.kind = LayoutItem::Kind::Line; break;
            case ControlKind::Image: it.kind = LayoutItem::Kind::Image; break;
            }
            band.top.push_back(c.y);
            band.growth.push_back(it.kind == LayoutItem::Kind::Text ? fitText(it, pc, band) : 0.0);
            band.items.push_back(std::move(it));
            band.source.push_back(&pc);
        }
        band.height = s.design->height + moveBelowGrown(band);

        if (band.height > m_plan.room + kEpsilon && s.design->height <= m_plan.room) {
            // Taller than a whole page: each grown box keeps the lines that fit, the last
            // of them ending with "…".
            for (size_t i = 0; i < band.items.size(); ++i) {
                LayoutItem& it = band.items[i];
                if (it.lineCount < 2)
                    continue;
                const TextFit& f = fit(m_plan.controls[it.control].font);
                const double shift = it.rect.top() - band.top[i];
                const double spare = m_plan.room - s.design->height - shift;
                const quint32 keep = quint32(std::max(1.0, 1 + std::floor(spare / f.lineHeight() + kEpsilon)));
                if (keep >= it.lineCount)
                    continue;
                const int last = band.lines[it.firstLine + keep - 1].start;
                it.text = it.text.left(last) + f.elide(it.text.mid(last), it.rect.width());
                it.rect.setHeight(it.rect.height() - band.growth[i]);
                band.growth[i] = fitText(it, *band.source[i], band);
            }
            band.height = s.design->height + moveBelowGrown(band);
        }
        return band.height;
    }

    // Fits the text of |it| to its box: wrapped onto more lines when it may grow, else on
    // one line ending with "…" where it is too long. Returns how much the box grew.
    double fitText(LayoutItem& it, const PlanControl& pc, Band& band)
    {
        it.lineCount = 0;
        const TextFit& f = fit(pc.font);
        const double width = it.rect.width();
        const bool breaks = hasBreaks(it.text);
        const double natural = f.width(it.text);
        it.textWidth = float(natural);
        if (natural <= width && !breaks)
            return 0;
        if (!pc.canGrow) {
            it.text = f.elide(it.text, width);
            it.textWidth = float(f.width(it.text));
            return 0;
        }
        const std::vector<TextLine> lines = f.wrap(it.text, width);
        if (lines.size() == 1 && !breaks) {
            it.textWidth = lines.front().width;
            return 0;
        }
        it.textWidth = 0;
        it.firstLine = quint32(band.lines.size());
        it.lineCount = quint32(lines.size());
        band.lines.insert(band.lines.end(), lines.begin(), lines.end());
        const double growth = double(lines.size() - 1) * f.lineHeight();
        it.rect.setHeight(it.rect.height() + growth);
        return growth;
    }

    // Puts every item below a grown box lower by as much as that box grew (and as much as
    // it was moved itself); returns how much taller the section becomes.
    static double moveBelowGrown(Band& band)
    {
        const size_t n = band.items.size();
        if (std::all_of(band.growth.begin(), band.growth.end(), [](double g) { return g <= 0; }))
            return 0;
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return band.top[a] < band.top[b]; });
        std::vector<double> shift(n, 0.0);
        double extra = 0;
        for (size_t a = 0; a < n; ++a) {
            const size_t j = order[a];
            for (size_t b = 0; b < a; ++b) {
                const size_t i = order[b];
                const double bottom = band.top[i] + band.items[i].rect.height() - band.growth[i];
                if (band.growth[i] > 0 && bottom <= band.top[j] + kEpsilon)
                    shift[j] = std::max(shift[j], shift[i] + band.growth[i]);
            }
            extra = std::max(extra, shift[j] + band.growth[j]);
        }
        for (size_t i = 0; i < n; ++i)
            band.items[i].rect.moveTop(band.top[i] + shift[i]);
        return extra;
    }

    // Puts |band| on |page| at the current height.
    void place(Band& band, LayoutPage& page)
    {
        for (LayoutItem& it : band.items) {
            it.rect.translate(0, m_y);
            if (it.lineCount > 0) {
                const auto from = band.lines.begin() + it.firstLine;
                it.firstLine = quint32(page.lines.size());
                page.lines.insert(page.lines.end(), from, from + it.lineCount);
            }
            page.items.push_back(std::move(it));
        }
        m_y += band.height;
    }

    // Places a report or page header or footer, leaving the band of the rows as it is.
    void placeNow(const PlanSection& s, LayoutPage& page)
    {
        prepare(s, false, m_frame);
        place(m_frame, page);
    }

    const Plan& m_plan;
    // The walk: the rows of each level down to |m_depth| and the current row of each.
    Plan::Step m_step = Plan::Start;
    int m_depth = -1;
    std::vector<const data::Rows*> m_levels;
    std::vector<int> m_index;
    std::vector<int> m_childIndex; // per level, of the level below; -2 not yet looked up
    std::vector<int> m_fieldIndex; // per control, of its field; -2 not yet looked up
    std::vector<std::unique_ptr<TextFit>> m_fits; // per font, made on first use
    bool m_pending = false;   // the current step is still to be placed
    bool m_bandReady = false; // and |m_band| holds it already
    Band m_band;  // of the rows' sections
    Band m_frame; // of the headers and footers
    int m_pageIndex = -1;     // of the page being laid out; -1 while finding the pages
    double m_y = 0, m_bodyTop = 0;
};

} // namespace

QStringList LayoutPage::textLines(const LayoutItem& it) const
{
    if (it.lineCount == 0)
        return {it.text};
    QStringList out;
    for (quint32 i = 0; i < it.lineCount; ++i) {
        const TextLine& line = lines[it.firstLine + i];
        out << it.text.mid(line.start, line.length);
    }
    return out;
}

int ReportLayout::pageCount() const { return m_plan ? int(m_plan->pages.size()) : 0; }

LayoutPage ReportLayout::page(int index) const
{
    LayoutPage out;
    if (index < 0 || index >= pageCount())
        return out;
    Walker walker(*m_plan);
    walker.seek(index);
    walker.layPage(index, out);
    return out;
}

void ReportLayout::forEachPage(int from, int to, const std::function<void(int, const LayoutPage&)>& visit) const
{
    from = std::max(from, 0);
    to = std::min(to, pageCount() - 1);
    if (from > to)
        return;
    Walker walker(*m_plan);
    walker.seek(from);
    LayoutPage page;
    for (int i = from; i <= to; ++i) {
        walker.layPage(i, page);
        visit(i, page);
    }
}

QList<QStringList> ReportLayout::pageTexts() const
{
    QList<QStringList> out;
    forEachPage(0, pageCount() - 1, [&](int, const LayoutPage& page) {
        std::vector<const LayoutItem*> texts;
        for (const LayoutItem& it : page.items)
            if (it.kind == LayoutItem::Kind::Text && !it.text.isEmpty())
                texts.push_back(&it);
        std::stable_sort(texts.begin(), texts.end(), [](const LayoutItem* a, const LayoutItem* b) {
            if (std::abs(a->rect.top() - b->rect.top()) > 0.01)
                return a->rect.top() < b->rect.top();
            return a->rect.left() < b->rect.left();
        });
        QStringList list;
        for (const LayoutItem* it : texts)
            list << it->text;
        out << list;
    });
    return out;
}

const std::vector<LayoutControl>& ReportLayout::controls() const
{
    static const std::vector<LayoutControl> none;
    return m_plan ? m_plan->controls : none;
}

const std::vector<ReportFont>& ReportLayout::fonts() const
{
    static const std::vector<ReportFont> none;
    return m_plan ? m_plan->fonts : none;
}

QRectF ReportLayout::pictureRect(const LayoutItem& it) const
{
    if (!picture || !m_plan)
        return it.rect;
    const QRectF box = it.rect;
    if (m_plan->state.sizeMode == 1)
        return box;
    QSizeF size(picture->width() * 25.4 / 96.0, picture->height() * 25.4 / 96.0);
    if (m_plan->state.sizeMode == 2 && size.width() > 0 && size.height() > 0)
        size *= std::min(box.width() / size.width(), box.height() / size.height());
    const int a = std::clamp(m_plan->state.pictureAlignment, 0, 8);
    const double x = box.x() + (box.width() - size.width()) * (a % 3) / 2.0;
    const double y = box.y() + (box.height() - size.height()) * (a / 3) / 2.0;
    return QRectF(QPointF(x, y), size);
}

ReportLayout layoutReport(std::shared_ptr<const ReportDesign> design, std::shared_ptr<const data::Rows> root,
                          const RuntimeState& state, TaskProgress* progress)
{
    auto plan = std::make_shared<Plan>();
    plan->design = std::move(design);
    plan->root = std::move(root);
    plan->state = state;
    const ReportDesign& d = *plan->design;
    plan->detailPath = d.detailLevel().split(QLatin1Char('.'));
    const size_t depth = size_t(plan->detailPath.size());
    plan->groupHeaders.resize(depth);
    plan->groupFooters.resize(depth);
    for (const Section& s : d.sections) {
        switch (s.role) {
        case SectionRole::ReportHeader: plan->reportHeader = plan->compile(&s); break;
        case SectionRole::PageHeader: plan->pageHeader = plan->compile(&s); break;
        case SectionRole::Detail: plan->detail = plan->compile(&s); break;
        case SectionRole::PageFooter: plan->pageFooter = plan->compile(&s); break;
        case SectionRole::ReportFooter: plan->reportFooter = plan->compile(&s); break;
        case SectionRole::GroupHeader: plan->groupHeaders[size_t(depthOf(s.level))] = plan->compile(&s); break;
        case SectionRole::GroupFooter: plan->groupFooters[size_t(depthOf(s.level))] = plan->compile(&s); break;
        }
    }
    const double pageFooter = plan->pageFooter.design ? plan->pageFooter.design->height : 0;
    const double pageHeader = plan->pageHeader.design ? plan->pageHeader.design->height : 0;
    plan->bodyBottom = d.pageHeight() - d.marginBottom - pageFooter;
    plan->room = plan->bodyBottom - d.marginTop - pageHeader;

    Walker(*plan).paginate(*plan, progress);

    ReportLayout out;
    out.report = d.report;
    out.caption = d.caption;
    out.pageWidth = d.pageWidth();
    out.pageHeight = d.pageHeight();
    out.picture = state.picture;
    out.m_plan = std::move(plan);
    return out;
}

ReportLayout layoutReport(const ReportDesign& design, data::Rows root, const RuntimeState& state,
                          TaskProgress* progress)
{
    return layoutReport(std::make_shared<const ReportDesign>(design), std::make_shared<const data::Rows>(std::move(root)),
                        state, progress);
}

} // namespace vb::reports
