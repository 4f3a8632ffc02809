#include "core/Format.h"

#include "core/Parse.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace vb::fmt {
namespace {

// A number pattern split into literal prefix, number layout and literal suffix.
struct NumberPattern {
    QString prefix;
    QString suffix;
    int decimals = 0;
    int minIntegerDigits = 1;
    bool grouping = false;
    bool valid = false;
};

bool isNumberChar(QChar c) { return c == u'#' || c == u'0' || c == u',' || c == u'.'; }

NumberPattern parsePattern(const QString& pattern)
{
    NumberPattern p;
    int i = 0;
    const int n = pattern.size();
    auto readLiteral = [&](QString& out) {
        while (i < n && !isNumberChar(pattern[i])) {
            if (pattern[i] == u'"') {
                ++i;
                while (i < n && pattern[i] != u'"')
                    out += pattern[i++];
                if (i < n)
                    ++i;
            } else if (pattern[i] == u'\\' && i + 1 < n) {
                out += pattern[i + 1];
                i += 2;
            } else {
                out += pattern[i++];
            }
        }
    };
    readLiteral(p.prefix);
    const int start = i;
    while (i < n && isNumberChar(pattern[i]))
        ++i;
    const QString body = pattern.mid(start, i - start);
    readLiteral(p.suffix);
    if (body.isEmpty() || i < n)
        return p;

    // The separator that comes last is the decimal one when it is followed only by digits
    // ("##,##0.00" and the Italian-written "#.##0,00" both mean two decimals with grouping).
    const int lastDot = body.lastIndexOf(u'.');
    const int lastComma = body.lastIndexOf(u',');
    int decimalPos = -1;
    if (lastDot >= 0 && lastComma >= 0)
        decimalPos = std::max(lastDot, lastComma);
    else if (lastDot >= 0)
        decimalPos = lastDot;
    QString intPart = decimalPos >= 0 ? body.left(decimalPos) : body;
    const QString decPart = decimalPos >= 0 ? body.mid(decimalPos + 1) : QString();
    p.decimals = int(decPart.size());
    p.grouping = intPart.contains(u',') || intPart.contains(u'.');
    intPart.remove(u',').remove(u'.');
    p.minIntegerDigits = int(intPart.count(u'0'));
    p.valid = true;
    return p;
}

QString groupDigits(const QString& digits)
{
    QString out;
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += u'.';
        out += digits[i];
    }
    return out;
}

// Lays |cents| (an amount in hundredths) into the pattern; halves round away from zero
// when the pattern shows fewer than two decimals.
QString layout(qint64 hundredths, const NumberPattern& p)
{
    const bool negative = hundredths < 0;
    quint64 v = negative ? quint64(-(hundredths + 1)) + 1 : quint64(hundredths);
    quint64 whole;
    QString frac;
    if (p.decimals >= 2) {
        whole = v / 100;
        frac = QString::number(v % 100).rightJustified(2, u'0') + QString(p.decimals - 2, u'0');
    } else if (p.decimals == 1) {
        const quint64 tenths = (v + 5) / 10;
        whole = tenths / 10;
        frac = QString::number(tenths % 10);
    } else {
        whole = (v + 50) / 100;
    }
    QString digits = QString::number(whole);
    if (digits == u"0" && p.minIntegerDigits == 0)
        digits.clear();
    if (digits.size() < p.minIntegerDigits)
        digits = digits.rightJustified(p.minIntegerDigits, u'0');
    if (p.grouping)
        digits = groupDigits(digits);
    QString number = digits;
    if (p.decimals > 0)
        number += u',' + frac;
    const bool shownNegative = negative && (whole != 0 || frac.contains(QRegularExpression(QStringLiteral("[1-9]"))));
    return (shownNegative ? QStringLiteral("-") : QString()) + p.prefix + number + p.suffix;
}

bool isDigitSlotPattern(const QString& pattern)
{
    // Patterns such as "00/00/0000": zeros with literal separators, no grouping or decimals.
    return pattern.contains(u'0') && !pattern.contains(u'#') && !pattern.contains(u',')
        && !pattern.contains(u'.') && !pattern.contains(u'"');
}

QString fillDigitSlots(QString digits, const QString& pattern)
{
    const int slotCount = int(pattern.count(u'0'));
    if (digits.size() < slotCount)
        digits = digits.rightJustified(slotCount, u'0');
    // Digits beyond the slotCount all go into the first one, as the platform's Format does.
    int extra = int(digits.size()) - slotCount;
    QString out;
    int d = 0;
    bool first = true;
    for (QChar c : pattern) {
        if (c == u'0') {
            if (first) {
                out += digits.mid(d, extra + 1);
                d += extra + 1;
                first = false;
            } else {
                out += digits[d++];
            }
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString money(Money value, const QString& pattern)
{
    // A printout formats every row with the same pattern: it is read once per thread.
    thread_local bool parsed = false;
    thread_local QString lastPattern;
    thread_local NumberPattern lastParsed;
    if (!parsed || pattern != lastPattern) {
        lastParsed = parsePattern(pattern);
        lastPattern = pattern;
        parsed = true;
    }
    const NumberPattern& p = lastParsed;
    if (!p.valid)
        return pattern;
    return layout(value.cents(), p);
}

QString integer(qint64 value, const QString& pattern)
{
    if (isDigitSlotPattern(pattern) && !pattern.contains(u'/')) {
        const QString digits = QString::number(value < 0 ? -value : value);
        return (value < 0 ? QStringLiteral("-") : QString()) + fillDigitSlots(digits, pattern);
    }
    if (isDigitSlotPattern(pattern))
        return fillDigitSlots(QString::number(value), pattern);
    const NumberPattern p = parsePattern(pattern);
    if (!p.valid)
        return pattern;
    return layout(value * 100, p);
}

QString text(const QString& value, const QString& pattern)
{
    const QString t = value.trimmed();
    if (isDigitSlotPattern(pattern)) {
        if (!t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit() && c.unicode() < 128; }))
            return fillDigitSlots(t, pattern);
        if (const auto n = parse::integer(t))
            return integer(*n, pattern);
        return value;
    }
    if (const auto m = parse::amount(t))
        return money(*m, pattern);
    return value;
}

QString date(const QDate& d)
{
    if (!d.isValid())
        return QString();
    int y = 0, m = 0, day = 0;
    d.getDate(&y, &m, &day);
    if (y < 0 || y > 9999)
        return d.toString(QStringLiteral("dd/MM/yyyy"));
    // Laid out by hand: every report row passes here.
    const char16_t out[10] = {char16_t(u'0' + day / 10), char16_t(u'0' + day % 10), u'/',
                              char16_t(u'0' + m / 10),   char16_t(u'0' + m % 10),   u'/',
                              char16_t(u'0' + y / 1000 % 10), char16_t(u'0' + y / 100 % 10),
                              char16_t(u'0' + y / 10 % 10),   char16_t(u'0' + y % 10)};
    return QString(reinterpret_cast<const QChar*>(out), 10);
}

QString longDate(const QDate& d)
{
    return d.isValid() ? QLocale(QLocale::Italian, QLocale::Italy).toString(d, QLocale::LongFormat) : QString();
}

QString time(const QTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("HH:mm:ss")) : QString();
}

} // namespace vb::fmt
