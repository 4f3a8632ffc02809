#pragma once

#include <QString>
#include <QVariant>

namespace vb::reports {

enum class FormatKind { None, Money, Date, Digits, Unknown };

// What a design's format says about its field: money (whole cents), an ISO date printed
// dd/mm/yyyy, a zero-padded number, or nothing (printed as stored).
FormatKind formatKind(const QString& format);

// The text a text box prints for |value| with |format|; NULL prints nothing.
QString formatValue(const QVariant& value, const QString& format);
// The same, with the format's kind already known.
QString formatValue(const QVariant& value, FormatKind kind, const QString& format);

} // namespace vb::reports
