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
            emitSection(*m_reportHeader, -1);
        if (m_pageHeader)
            emitSection(*m_pageHeader, -1);
        m_bodyTop = m_y;
    }

    void finishPage()
    {
        if (!m_pageFooter)
            return;
        m_y = m_bodyBottom;
        emitSection(*m_pageFooter, -1);
    }

    // Places a content section, on a new page when it does not fit on this one.
    void flow(const Section& s, int depth)
    {
        const bool full = m_y + s.height > m_bodyBottom + kEpsilon && m_y > m_bodyTop + kEpsilon;
        if (m_breakPending || full) {
            finishPage();
            startPage();
            m_breakPending = false;
        }
        emitSection(s, depth);
        m_breakPending = s.newPageAfter;
    }

    void emitSection(const Section& s, int depth)
    {
        const double x0 = m_d.marginLeft;
        const double y0 = m_y;
        LayoutPage& page = m_out.pages.back();
        for (const Control& c : s.controls) {
            if (!c.visible || m_st.hidden.contains(c.name.toLower()))
                continue;
            LayoutItem it;
            it.control = c.name;
            it.section = s.name;
            it.rect = QRectF(x0 + c.x, y0 + c.y, c.w, c.h);
            it.font = c.font;
            it.align = c.align;
            switch (c.kind) {
            case ControlKind::Label:
                it.text = m_st.labels.value(c.name.toLower(), c.text);
                if (it.text.contains(u'%'))
                    m_specials.push_back({int(m_out.pages.size()) - 1, page.items.size()});
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
            page.items.push_back(std::move(it));
        }
        m_y = y0 + s.height;
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
