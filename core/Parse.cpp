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
    static const QRegularExpression re(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
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
