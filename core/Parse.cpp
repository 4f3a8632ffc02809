#include "core/Parse.h"

#include <QRegularExpression>

namespace vb::parse {

std::optional<Money> amount(const QString& text)
{
    QString t = text.trimmed();
    if (t.startsWith(u'€'))
        t = t.mid(1).trimmed();
    // Italian form: optional sign, digits with optional dot grouping, optional comma decimals.
    static const QRegularExpression re(
        QStringLiteral("^([+-])?\\s*(\\d{1,3}(?:\\.\\d{3})+|\\d+)?(?:,(\\d{0,2}))?$"));
    const auto m = re.match(t);
    if (t.isEmpty() || !m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return std::nullopt;
    QString whole = m.captured(2);
    whole.remove(u'.');
    if (whole.size() > 15)
        return std::nullopt;
    const qint64 euros = whole.isEmpty() ? 0 : whole.toLongLong();
    const QString dec = m.captured(3).leftJustified(2, u'0');
    const qint64 cents = euros * 100 + dec.toLongLong();
    return Money::fromCents(m.captured(1) == u"-" ? -cents : cents);
}

std::optional<QDate> date(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QDate> isoDate(const QString& text)
{
    // yyyy-mm-dd at the start of the text (a time may follow), read by hand: every report
    // row passes here.
    if (text.size() < 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (c - u'0');
        }
    }
    const QDate d(parts[0], parts[1], parts[2]);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> isoTime(const QString& text)
{
    const QTime t = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::optional<qint64> integer(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?\\d{1,18}$"));
    const QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    return t.toLongLong();
}

} // namespace vb::parse
