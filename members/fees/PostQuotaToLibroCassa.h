#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QDate>
#include <QString>

#include <optional>

namespace vb::fees {

// The cash books a fee can be paid into.
enum class PaymentKind { Contanti, Bonifico };

// The book code of a payment kind: 1 for cash, 3 for bank transfer.
int bookOf(PaymentKind kind);

// What the fee window hands to the posting once the boxes are checked.
struct QuotaPosting {
    PaymentKind kind = PaymentKind::Contanti;
    QDate data;        // payment date; the row is filed under its year
    QString annoQuota; // fee year, four digits; the balance comes from this year's rows
    Money importo;
    QString cognome;
    QString nome;
    QString numTes;    // card number as shown, five digits
};

// "Quota sociale 2026 (Contanti) - ROSSI MARIO Tess. n. 00012"
QString postingDescription(const QuotaPosting& p);

// Appends the fee's income row (code "AQS", kind "E") to the book of the payment kind.
// Its balance is the last balance of that book in the fee year plus the amount, or the
// amount alone when the book has no row in that year; a last balance that is empty
// leaves the new one empty too. Returns the new row's key. Throws vb::Error for a fee year
// that is not a number and db::Error on an archive failure; nothing is written then.
qint64 PostQuotaToLibroCassa(db::Database& db, const QuotaPosting& p);

} // namespace vb::fees
