#include "reports/engine/TextFit.h"

#include <cmath>

namespace vb::reports {

namespace {

const QChar kEllipsis(0x2026);

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Whether a text may be cut before position |i| without splitting a character: not inside a
// surrogate pair, not before a combining mark.
bool wholeCharacterBefore(const QString& text, qsizetype i)
{
    if (i <= 0 || i >= text.size())
        return true;
    return !text[i].isLowSurrogate() && !text[i].isMark();
}

} // namespace

QFont printFont(const ReportFont& f)
{
    QFont font(f.family);
    font.setPixelSize(std::max(1, int(std::lround(f.size * 10))));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setKerning(false);
    return font;
}

TextFit::TextFit(const ReportFont& font) : m_font(printFont(font)), m_metrics(m_font)
{
    m_table.fill(-1);
    m_ascent = m_metrics.ascent() / kUnitsPerMm;
    m_lineHeight = m_metrics.height() / kUnitsPerMm;
}

double TextFit::charUnits(char32_t c) const
{
    if (c == u'\t' || c == u'\n' || c == u'\r')
        c = u' ';
    if (c < m_table.size()) {
        float& w = m_table[c];
        if (w < 0)
            w = float(m_metrics.horizontalAdvance(QChar(c)));
        return w;
    }
    const auto known = m_others.find(c);
    if (known != m_others.end())
        return known->second;
    const char32_t ucs4[] = {c};
    const float w = float(m_metrics.horizontalAdvance(QString::fromUcs4(ucs4, 1)));
    m_others.emplace(c, w);
    return w;
}

double TextFit::units(QStringView text) const
{
    double w = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            w += charUnits(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            w += charUnits(c.unicode());
        }
    }
    return w;
}

double TextFit::width(QStringView text) const { return units(text) / kUnitsPerMm; }

QString TextFit::elide(const QString& text, double width) const
{
    QString flat = text;
    for (QChar& c : flat)
        if (c == u'\t' || c == u'\r' || c == u'\n')
            c = u' ';
    const double limit = width * kUnitsPerMm;
    if (units(flat) <= limit)
        return flat;
    const double room = limit - charUnits(kEllipsis.unicode());
    double used = 0;
    qsizetype cut = 0;
    for (qsizetype i = 0; i < flat.size(); ++i) {
        const bool pair = flat[i].isHighSurrogate() && i + 1 < flat.size() && flat[i + 1].isLowSurrogate();
        const double w = pair ? charUnits(QChar::surrogateToUcs4(flat[i], flat[i + 1])) : charUnits(flat[i].unicode());
        if (used + w > room)
            break;
        used += w;
        i += pair ? 1 : 0;
        if (wholeCharacterBefore(flat, i + 1))
            cut = i + 1;
    }
    while (cut > 0 && flat[cut - 1] == u' ')
        --cut;
    flat.truncate(cut);
    flat += kEllipsis;
    return flat;
}

std::vector<TextLine> TextFit::wrap(const QString& text, double width) const
{
    const double limit = width * kUnitsPerMm;
    std::vector<TextLine> lines;
    const qsizetype n = text.size();
    qsizetype start = 0;      // of the line being filled
    qsizetype breakAt = -1;   // where the line may end, after blanks or a hyphen; -1 none yet
    double lineWidth = 0;     // of the line so far, blanks included
    double sinceBreak = 0;    // of the text after breakAt
    const auto inkEnd = [&](qsizetype end) {
        while (end > start && isBlank(text[end - 1]))
            --end;
        return end;
    };
    const auto endLine = [&](qsizetype end, qsizetype next) {
        const qsizetype e = inkEnd(end);
        lines.push_back({int(start), int(e - start), float(this->width(QStringView(text).mid(start, e - start)))});
        start = next;
        breakAt = -1;
        lineWidth = sinceBreak = 0;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\n' || c == u'\r') {
            endLine(i, c == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? i + 2 : i + 1);
            if (start == i + 2)
                ++i;
            continue;
        }
        const bool pair = c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate();
        const double w = pair ? charUnits(QChar::surrogateToUcs4(c, text[i + 1])) : charUnits(c.unicode());
        if (c == u' ' || c == u'\t') {
            // Blanks hang past the end of a line: the line may break after them.
            lineWidth += w;
            breakAt = i + 1;
            sinceBreak = 0;
            continue;
        }
        if (lineWidth + w > limit && i > start && wholeCharacterBefore(text, i)) {
            if (breakAt > start && inkEnd(breakAt) > start) {
                const double carried = sinceBreak;
                endLine(breakAt, breakAt);
                lineWidth = sinceBreak = carried;
            }
            if (lineWidth + w > limit && i > start)
                endLine(i, i); // a word longer than the line breaks where it must
        }
        lineWidth += w;
        sinceBreak += w;
        if (pair)
            ++i;
        if (c == u'-' || c == u'/') {
            breakAt = i + 1;
            sinceBreak = 0;
        }
    }
    endLine(n, n);
    return lines;
}

} // namespace vb::reports
