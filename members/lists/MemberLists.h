#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The lists of the members' window: each gives a heading line and one line per row, the
// columns separated by tabs. The numbered list and the birthdays also rewrite what their
// reports select on, each in one transaction.
namespace vb::lists {

struct ListResult {
    QString header;
    QStringList lines;
    Money total; // the fee list's sum; zero for the others
    int written = 0; // the birthdays: persons whose marks were written
};

// One fee of a year joined to its person.
struct FeePayment {
    QString tessNum; // card number, five digits
    QString cognome;
    QString nome;
    QString indata;  // payment date dd/mm/yyyy
    Money quota;
    QString note;
};

// The fees whose year is |year|, with their persons, by surname.
QList<FeePayment> feePayments(db::Database& db, int year);

// The payers of |year|: card, name, payment date, amount, and their total.
ListResult feeList(db::Database& db, int year);

// The persons who joined between |from| and |to|, both included, by date of joining.
ListResult enrolmentList(db::Database& db, const QDate& from, const QDate& to);

// Empties StampaSoci and refills it with the payers of |year|, numbered from 1.
ListResult refillStampaSoci(db::Database& db, int year);

// Marks and lists the birthdays in the months |fromMonth| to |toMonth| (1-12, both
// included) of the members who renewed in the year of |today| or the year before and gave
// all three consents: AddOK 2, Anni the age reached this year, Compleanno this year's
// birthday; every other person gets 0 in AddOK (1 for the renewed outside the months),
// Anni, Compleanno and CodiceControllo2. Writes only the persons whose marks change, in
// one transaction.
ListResult birthdayList(db::Database& db, int fromMonth, int toMonth, const QDate& today);

} // namespace vb::lists
