#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The yearly membership fees (RegistroQuoteSoci) and the persons the fee windows pick
// them for. Every call throws db::Error on an archive failure.
namespace vb::fees {

// A person as the fee windows list and pick them.
struct FeePerson {
    qint64 CodNom = 0;
    QString Cognome;
    QString Nome;
    QString NumTessera; // as stored
};

// The picker item of a person: "COGNOME NOME  - Reg. Num.0042".
QString NominativoRegNumItem(const FeePerson& p);
// The card number as the fee window shows it, five digits ("00000" for no card).
QString cardNumber(const QString& numTessera);

// The member type code of |tipo|: its position among the seven type names, matched
// exactly; nothing for any other text.
std::optional<int> memberTypeCode(const QString& tipo);

// All persons, or those whose CodiceControllo is |codiceControllo|, by surname.
std::vector<FeePerson> persons(db::Database& db, std::optional<int> codiceControllo = std::nullopt);
std::optional<FeePerson> person(db::Database& db, qint64 codNom);
// The distinct member types stored, upper-cased, in order.
QStringList storedMemberTypes(db::Database& db);
// The distinct member types stored as they stand, in order.
QStringList storedTipoSocio(db::Database& db);
// The distinct fee years stored, in order.
QStringList storedYears(db::Database& db);

// A fee as the entry boxes give it once checked.
struct FeeEntry {
    QString TessNum;
    QDate Indata;
    QString Anno;
    Money QuotaVers;
    QString Note;
};

// A stored fee row.
struct FeeRow {
    qint64 IDRegistro = 0;
    qint64 CodNom = 0;
    QString TessNum;
    QDate Indata;
    QString Anno;
    Money QuotaVers;
    QString Note;
};

// The texts typed in the fee boxes.
struct FeeInput {
    QString NumTes;
    QString Data;
    QString Anno;
    QString Importo;
    QString Note;
};

// Reads the boxes into a fee. Returns the message that refuses them (a date that is not a
// real dd/mm/yyyy date, an amount or a four-digit year that is not a number), or an empty
// text when |out| is filled.
QString readFeeInput(const FeeInput& in, FeeEntry& out);

// The fee rules of one person's register.
class RegistroQuoteSoci {
public:
    explicit RegistroQuoteSoci(db::Database& db) : m_db(db) {}

    // Adds a fee of the person |codNom|; an empty note is stored as "NIL". Returns its key.
    qint64 add(qint64 codNom, FeeEntry fee);
    // Rewrites the fee |id| (the person stays); the note is stored as given, even empty.
    // Returns false when no such fee exists.
    bool modify(qint64 id, const FeeEntry& fee);
    // Deletes the fee |id|; its cash-book row stays. Returns false when there was none.
    bool remove(qint64 id);

    std::optional<FeeRow> load(qint64 id);
    // The fees of |codNom| by year, ascending or descending.
    std::vector<FeeRow> rows(qint64 codNom, bool ascending);

private:
    db::Database& m_db;
};

} // namespace vb::fees
