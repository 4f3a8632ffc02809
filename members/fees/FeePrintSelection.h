#pragma once

#include "core/Database.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The fee printout's selection: which RegistroQuoteSoci rows carry Validate = 1 for the
// report, and what the report says about them.
namespace vb::fees {

// The picker last used; None until the user picks one.
enum class SelectionMode { None = 0, Year = 1, Person = 2, Unpaid = 3, MemberType = 5 };

struct FeeSelection {
    SelectionMode mode = SelectionMode::None;
    QString year;       // Year and Unpaid: the picker's text
    qint64 codNom = 0;  // Person
    QString tipoSocio;  // MemberType
};

// Checks a selection before anything is written: the message that refuses it (an unpaid
// year that is not a number), or an empty text.
QString checkSelection(const FeeSelection& s);

// Flags with Validate = 1 the fee rows |s| selects and clears every other flag, in one
// transaction that writes only the rows whose flag changes; |currentYear| is the year of
// the None and MemberType selections. Unpaid year Y selects the fees paid in Y - 1 by
// persons with no row in Y who gave at least one consent. Returns the number of rows
// written. Throws vb::Error for a selection that checkSelection refuses, db::Error on an
// archive failure; nothing is written then.
int markFeesForPrint(db::Database& db, const FeeSelection& s, int currentYear);

// The text of the report's LabelTipo; empty when the design text stays (None).
QString selectionCaption(const FeeSelection& s, const QString& pickerText, const QDate& today);

// The report controls left out of the unpaid list, which shows surname, name and card only.
const QStringList& unpaidHiddenControls();

} // namespace vb::fees
