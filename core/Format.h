#pragma once

#include "core/Money.h"

#include <QDate>
#include <QString>
#include <QTime>

// The program's one formatter for the display patterns it uses, with Italian
// separators (dot for thousands, comma for decimals).
namespace vb::fmt {

// Number patterns: "##,##0.00", "€ ##,##0.00", "+ € ##,##0.00", "- € ##,##0.00",
// the reports' "\"€\" #.##0,00", and zero-padded integers such as "00000" or "000".
QString money(Money value, const QString& pattern = QStringLiteral("##,##0.00"));
QString integer(qint64 value, const QString& pattern);

// Format(text, pattern) as the windows use it on typed or stored text: a text that reads
// as a whole number is laid into the pattern ("00000" pads, "00/00/0000" puts 16051978 as
// 16/05/1978); an amount pattern formats a typed amount; any other text comes back as it is.
QString text(const QString& value, const QString& pattern);

// Dates and times as the user sees them.
QString date(const QDate& d);          // dd/mm/yyyy, empty for an invalid date
QString longDate(const QDate& d);      // e.g. "giovedì 10 dicembre 2026"
QString time(const QTime& t);          // hh:mm:ss

} // namespace vb::fmt
