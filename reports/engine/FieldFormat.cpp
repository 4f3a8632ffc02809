#include "reports/engine/FieldFormat.h"

#include "core/Format.h"
#include "core/Money.h"
#include "core/Parse.h"

namespace vb::reports {

FormatKind formatKind(const QString& format)
{
    if (format.isEmpty())
        return FormatKind::None;
    if (format.contains(QLatin1String("0,00")) || format.contains(QLatin1String("0.00")))
        return FormatKind::Money;
    if (format.contains(QLatin1String("dd")) && format.contains(QLatin1String("yyyy")))
        return FormatKind::Date;
    const bool digits = std::all_of(format.begin(), format.end(), [](QChar c) { return c == u'0'; });
    return digits ? FormatKind::Digits : FormatKind::Unknown;
}

QString formatValue(const QVariant& value, const QString& format)
{
    return formatValue(value, formatKind(format), format);
}

QString formatValue(const QVariant& value, FormatKind kind, const QString& format)
{
    if (value.isNull())
        return QString();
    switch (kind) {
    case FormatKind::Money: {
        bool ok = false;
        const qint64 cents = value.toLongLong(&ok);
        return ok ? fmt::money(Money::fromCents(cents), format) : value.toString();
    }
    case FormatKind::Date: {
        const QString stored = value.toString();
        if (const auto d = parse::isoDate(stored))
            return fmt::date(*d);
        return stored;
    }
    case FormatKind::Digits:
        return fmt::text(value.toString(), format);
    case FormatKind::None:
    case FormatKind::Unknown:
        break;
    }
    return value.toString();
}

} // namespace vb::reports
