#include "reports/engine/ReportLayout.h"

#include "core/Format.h"
#include "data/RecordSet.h"
#include "reports/engine/BackgroundTask.h"
#include "reports/engine/FieldFormat.h"

#include <algorithm>

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

QRectF pictureRect(const QImage& picture, const QRectF& box, int alignment, int sizeMode)
{
    if (sizeMode == 1)
        return box;
    QSizeF size(picture.width() * 25.4 / 96.0, picture.height() * 25.4 / 96.0);
    if (sizeMode == 2 && size.width() > 0 && size.height() > 0) {
        const double scale = std::min(box.width() / size.width(), box.height() / size.height());
        size *= scale;
    }
    const int a = std::clamp(alignment, 0, 8);
    const double x = box.x() + (box.width() - size.width()) * (a % 3) / 2.0;
    const double y = box.y() + (box.height() - size.height()) * (a / 3) / 2.0;
    return QRectF(QPointF(x, y), size);
}

int depthOf(const QString& path) { return int(path.count(QLatin1Char('.'))); }

class Layouter {
public:
    Layouter(const ReportDesign& d, const RuntimeState& st, TaskProgress* progress)
        : m_d(d), m_st(st), m_progress(progress)
    {
        m_detailPath = d.detailLevel().split(QLatin1Char('.'));
        m_groupHeaders.assign(size_t(m_detailPath.size()), nullptr);
        m_groupFooters.assign(size_t(m_detailPath.size()), nullptr);
        for (const Section& s : d.sections) {
            switch (s.role) {
            case SectionRole::ReportHeader: m_reportHeader = &s; break;
            case SectionRole::PageHeader: m_pageHeader = &s; break;
            case SectionRole::Detail: m_detail = &s; break;
            case SectionRole::PageFooter: m_pageFooter = &s; break;
            case SectionRole::ReportFooter: m_reportFooter = &s; break;
            case SectionRole::GroupHeader: m_groupHeaders[size_t(depthOf(s.level))] = &s; break;
            case SectionRole::GroupFooter: m_groupFooters[size_t(depthOf(s.level))] = &s; break;
            }
        }
        m_out.report = d.report;
        m_out.caption = d.caption;
        m_out.pageWidth = d.pageWidth();
        m_out.pageHeight = d.pageHeight();
        m_out.picture = st.picture;
        m_bodyBottom = d.pageHeight() - d.marginBottom - (m_pageFooter ? m_pageFooter->height : 0);
    }

    ReportLayout run(const data::Rows& root)
    {
        m_root = &root;
        startPage();
        walk(root, 0);
        if (m_reportFooter && m_reportFooter->height > kEpsilon)
            flow(*m_reportFooter, -1);
        finishPage();
        const int pages = int(m_out.pages.size());
        for (const auto& [page, item] : m_specials) {
            LayoutItem& it = m_out.pages[size_t(page)].items[item];
            it.text = resolveSpecials(it.text, page + 1, pages, m_st.date, m_st.time);
            fitText(it, false);
        }
        return std::move(m_out);
    }

private:
    void walk(const data::Rows& rows, int depth)
    {
        const bool detailLevel = depth == int(m_detailPath.size()) - 1;
        const int childIndex = detailLevel ? -1 : rows.child(m_detailPath[depth + 1]);
        for (int i = 0; i < int(rows.rows.size()); ++i) {
            m_stack.push_back({&rows, i});
            if (detailLevel) {
                if (m_detail)
                    flow(*m_detail, depth);
            } else {
                if (const Section* h = m_groupHeaders[size_t(depth)])
                    flow(*h, depth);
                if (childIndex >= 0)
                    walk(rows.rows[size_t(i)].children[size_t(childIndex)], depth + 1);
                if (const Section* f = m_groupFooters[size_t(depth)])
                    flow(*f, depth);
            }
            m_stack.pop_back();
        }
    }

    void startPage()
    {
        if (m_progress)
            m_progress->pageDone();
        m_out.pages.emplace_back();
        m_y = m_d.marginTop;
        if (m_out.pages.size() == 1 && m_reportHeader)
            place(prepare(*m_reportHeader, -1));
        if (m_pageHeader)
            place(prepare(*m_pageHeader, -1));
        m_bodyTop = m_y;
    }

    void finishPage()
    {
        if (!m_pageFooter)
            return;
        m_y = m_bodyBottom;
        place(prepare(*m_pageFooter, -1));
    }

    // Places a content section, on a new page when it does not fit on this one.
    void flow(const Section& s, int depth)
    {
        Band band = prepare(s, depth);
        const bool full = m_y + band.height > m_bodyBottom + kEpsilon && m_y > m_bodyTop + kEpsilon;
        if (m_breakPending || full) {
            finishPage();
            startPage();
            m_breakPending = false;
        }
        place(std::move(band));
        m_breakPending = s.newPageAfter;
    }

    // The items of a section for the current row, from the section's top, and its height.
    struct Band {
        std::vector<LayoutItem> items;
        std::vector<double> top;     // per item: its top in the section's design
        std::vector<double> growth;  // per item: how much its box grew
        std::vector<bool> special;   // per item: a label with page specials, fitted later
        double height = 0;
    };

    Band prepare(const Section& s, int depth)
    {
        Band band;
        band.items.reserve(s.controls.size());
        for (const Control& c : s.controls) {
            if (!c.visible || m_st.hidden.contains(c.name.toLower()))
                continue;
            LayoutItem it;
            it.control = c.name;
            it.section = s.name;
            it.rect = QRectF(m_d.marginLeft + c.x, c.y, c.w, c.h);
            it.font = c.font;
            it.align = c.align;
            switch (c.kind) {
            case ControlKind::Label:
                it.text = m_st.labels.value(c.name.toLower(), c.text);
                break;
            case ControlKind::TextBox:
                it.text = formatValue(fieldValue(c, s, depth), c.format);
                break;
            case ControlKind::Function:
                it.text = functionText(c, depth);
                break;
            case ControlKind::Line:
                it.kind = LayoutItem::Kind::Line;
                it.lineWidth = c.lineWidth;
                break;
            case ControlKind::Image:
                if (!m_st.picture || m_st.picture->isNull())
                    continue;
                it.kind = LayoutItem::Kind::Image;
                it.clip = it.rect;
                it.rect = pictureRect(*m_st.picture, it.clip, m_st.pictureAlignment, m_st.sizeMode);
                break;
            }
            const bool special = c.kind == ControlKind::Label && it.text.contains(u'%');
            double growth = 0;
            if (it.kind == LayoutItem::Kind::Text && !special)
                growth = fitText(it, c.canGrow);
            band.top.push_back(c.y);
            band.items.push_back(std::move(it));
            band.growth.push_back(growth);
            band.special.push_back(special);
        }
        band.height = s.height + moveBelowGrown(band);

        const double room = m_bodyBottom - m_d.marginTop - (m_pageHeader ? m_pageHeader->height : 0);
        if (band.height > room + kEpsilon && s.height <= room) {
            // Taller than a whole page: each grown box keeps the lines that fit, the last
            // of them ending with "…".
            for (size_t i = 0; i < band.items.size(); ++i) {
                LayoutItem& it = band.items[i];
                if (it.lines.size() < 2)
                    continue;
                const TextFit& fit = textFit(it.font);
                const double shift = it.rect.top() - band.top[i];
                const double spare = room - s.height - shift;
                const size_t keep = size_t(std::max(1.0, 1 + std::floor(spare / fit.lineHeight() + kEpsilon)));
                if (keep >= it.lines.size())
                    continue;
                const int last = it.lines[keep - 1].start;
                it.text = it.text.left(last) + fit.elide(it.text.mid(last), it.rect.width());
                it.rect.setHeight(it.rect.height() - band.growth[i]);
                it.lines.clear();
                band.growth[i] = fitText(it, true);
            }
            band.height = s.height + moveBelowGrown(band);
        }
        return band;
    }

    // Fits the text of |it| to its box: wrapped onto more lines when it may grow, else on
    // one line ending with "…" where it is too long. Returns how much the box grew.
    double fitText(LayoutItem& it, bool canGrow)
    {
        const TextFit& fit = textFit(it.font);
        const double width = it.rect.width();
        const bool breaks = std::any_of(it.text.begin(), it.text.end(),
                                        [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; });
        it.textWidth = float(fit.width(it.text));
        if (it.textWidth <= width && !breaks)
            return 0;
        if (!canGrow) {
            it.text = fit.elide(it.text, width);
            it.textWidth = float(fit.width(it.text));
            return 0;
        }
        it.lines = fit.wrap(it.text, width);
        if (it.lines.size() == 1 && !breaks) {
            it.textWidth = it.lines.front().width;
            it.lines.clear();
            return 0;
        }
        it.textWidth = 0;
        const double growth = double(it.lines.size() - 1) * fit.lineHeight();
        it.rect.setHeight(it.rect.height() + growth);
        return growth;
    }

    // Puts every item of |band| below a grown box lower by as much as that box grew (and
    // as much as it was moved itself); returns how much taller the section becomes.
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
        for (size_t i = 0; i < n; ++i) {
            LayoutItem& it = band.items[i];
            const double dy = band.top[i] + shift[i] - (it.kind == LayoutItem::Kind::Image ? it.clip.top() : it.rect.top());
            it.rect.translate(0, dy);
            it.clip.translate(0, dy);
        }
        return extra;
    }

    // Puts the items of |band| on the current page at the current height.
    void place(Band band)
    {
        LayoutPage& page = m_out.pages.back();
        for (size_t i = 0; i < band.items.size(); ++i) {
            LayoutItem& it = band.items[i];
            it.rect.translate(0, m_y);
            it.clip.translate(0, m_y);
            if (band.special[i])
                m_specials.push_back({int(m_out.pages.size()) - 1, page.items.size()});
            page.items.push_back(std::move(it));
        }
        m_y += band.height;
    }

    const TextFit& textFit(const ReportFont& font)
    {
        for (const auto& [f, fit] : m_fits)
            if (f == font)
                return *fit;
        m_fits.emplace_back(font, std::make_unique<TextFit>(font));
        return *m_fits.back().second;
    }

    QVariant fieldValue(const Control& c, const Section& s, int depth) const
    {
        const QString member = c.member.isEmpty() ? (s.level.isEmpty() ? m_d.dataMember : s.level) : c.member;
        const int d = std::min(depthOf(member), depth);
        if (d < 0 || d >= int(m_stack.size()))
            return QVariant();
        const auto& [rows, row] = m_stack[size_t(d)];
        return rows->value(row, c.field);
    }

    // Sum (or count) of the field over the rows of |path|'s level below |rows| (at |depth|).
    void accumulate(const data::Rows& rows, int depth, const QStringList& path, const QString& field, qint64& sum,
                    qint64& count) const
    {
        const int target = int(path.size()) - 1;
        if (depth == target) {
            const int f = rows.field(field);
            count += qint64(rows.rows.size());
            if (f >= 0)
                for (const auto& row : rows.rows)
                    sum += row.values[f].toLongLong();
            return;
        }
        const int ci = rows.child(path[depth + 1]);
        if (ci < 0)
            return;
        for (const auto& row : rows.rows)
            accumulate(row.children[size_t(ci)], depth + 1, path, field, sum, count);
    }

    QString functionText(const Control& c, int depth) const
    {
        const QStringList path = (c.member.isEmpty() ? m_d.detailLevel() : c.member).split(QLatin1Char('.'));
        qint64 sum = 0, count = 0;
        if (depth < 0) {
            accumulate(*m_root, 0, path, c.field, sum, count);
        } else {
            const auto& [rows, row] = m_stack[size_t(depth)];
            if (int(path.size()) - 1 <= depth) {
                sum = rows->value(row, c.field).toLongLong();
                count = 1;
            } else {
                const int ci = rows->child(path[depth + 1]);
                if (ci >= 0)
                    accumulate(rows->rows[size_t(row)].children[size_t(ci)], depth + 1, path, c.field, sum, count);
            }
        }
        const qint64 value = c.function == QLatin1String("count") ? count : sum;
        return formatValue(QVariant(qlonglong(value)), c.format);
    }

    const ReportDesign& m_d;
    const RuntimeState& m_st;
    TaskProgress* m_progress;
    ReportLayout m_out;
    const data::Rows* m_root = nullptr;
    QStringList m_detailPath;
    const Section* m_reportHeader = nullptr;
    const Section* m_pageHeader = nullptr;
    const Section* m_detail = nullptr;
    const Section* m_pageFooter = nullptr;
    const Section* m_reportFooter = nullptr;
    std::vector<const Section*> m_groupHeaders, m_groupFooters; // by depth
    std::vector<std::pair<const data::Rows*, int>> m_stack;       // the current row of each level
    std::vector<std::pair<int, size_t>> m_specials;               // page, item with %-specials
    std::vector<std::pair<ReportFont, std::unique_ptr<TextFit>>> m_fits;
    double m_y = 0, m_bodyTop = 0, m_bodyBottom = 0;
    bool m_breakPending = false;
};

} // namespace

QList<QStringList> ReportLayout::pageTexts() const
{
    QList<QStringList> out;
    for (const LayoutPage& page : pages) {
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
    }
    return out;
}

ReportLayout layoutReport(const ReportDesign& design, const data::Rows& root, const RuntimeState& state,
                          TaskProgress* progress)
{
    return Layouter(design, state, progress).run(root);
}

} // namespace vb::reports
