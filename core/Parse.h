#pragma once

#include "core/Money.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

// The one place where typed text becomes an amount, a date or a whole number.
// Each returns nothing for text that is not one, so that windows refuse it with a message.
namespace vb::parse {

// "1.234,50", "1234,5", "12", "0,00", "-5", "€ 12,00"; at most two decimals.
std::optional<Money> amount(const QString& text);

// dd/mm/yyyy (day and month may have one digit); real calendar dates only.
std::optional<QDate> date(const QString& text);

// An ISO date (yyyy-mm-dd) as stored in the archive.
std::optional<QDate> isoDate(const QString& text);
std::optional<QTime> isoTime(const QString& text);

// A whole number, optionally signed, surrounded by blanks at most.
std::optional<qint64> integer(const QString& text);

} // namespace vb::parse
