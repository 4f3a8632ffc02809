#pragma once

#include "core/Database.h"
#include "core/MessageService.h"
#include "core/Money.h"

#include <QDate>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// The cash book: the rows of LibroCassa, their add, modify and delete rules and the
// running balance Saldo of each book and year.
namespace vb::accounting {

// The row kinds that move the balance; any other kind ("D" Debito, "G" Giroconto, or
// whatever was typed) carries it on unchanged. Comparison is exact.
inline const QString kEntrata = QStringLiteral("E");
inline const QString kUscita = QStringLiteral("U");
inline const QString kNoNote = QStringLiteral("NIL");

// The entry boxes of the cash-book window as typed.
struct CashEntry {
    QString DataEntrata;      // TextDataEntrata, dd/mm/yyyy
    std::optional<int> book;  // the book chosen in Combo1; nothing when none is chosen
    QString Codice;           // Combo2; the first three characters are the code
    QString Tipo;             // Combo3, stored as it stands
    QString Importo;          // TextImporto, Italian number format
    QString Anno;             // TextAnno, the year being viewed
    QString Note;             // TextNote
};

// A row ready to be written, made from an entry that passed the checks.
struct CashRow {
    QDate data;
    int book = 0;
    QString codice;
    QString tipo;
    Money importo;
    QString descrizione;
    int anno = 0;
};

// A failed check: the message to show, with its icon (title "ATTENZIONE", OK only).
struct Refusal {
    QString text;
    MsgIcon icon = MsgIcon::None;
};

enum class Check { Add, Modify };

// Runs the checks of add or modify in their order and stops at the first failure; an
// amount of 0 is refused on add only. Text that is not a real date, an amount or a whole
// year is refused after the required-field checks. An empty note becomes "NIL".
std::variant<CashRow, Refusal> checkEntry(Check kind, const CashEntry& entry);

// A whole year typed in a year box; nothing for any other text.
std::optional<int> yearOf(const QString& text);

// One row as the grid lists it.
struct GridRow {
    qint64 id = 0;
    QString data;                 // the stored ISO date
    QString tipo;
    QString codice;
    Money importo;
    std::optional<Money> saldo;
    std::optional<qint64> ricevuta;
    QString descrizione;
};

// What the grid lists of one book and year.
struct GridQuery {
    int book = 0;
    int anno = 0;
    int month = 0;               // 1..12; 0 lists the whole year
    QString codice;              // a code (first three characters used); empty: every code
    bool descending = false;     // by date then key, newest first
};

struct GridRows {
    std::vector<GridRow> rows;
    Money entrate;  // sum of the listed "E" rows
    Money uscite;   // sum of the listed "U" rows
};

// "€ 70,00" when income exceeds expense, otherwise "€ -" and expense − income (equal
// totals give "€ -0,00").
QString gridDifference(Money entrate, Money uscite);

// The books of TestateLibroCassa in the order the archive returns them.
struct Book {
    int code = 0;
    QString name;
    Money saldoAnno;
};

class LibroCassa {
public:
    explicit LibroCassa(db::Database& db) : m_db(db) {}

    std::vector<Book> books();
    std::optional<Book> bookNamed(const QString& name);

    GridRows rows(const GridQuery& query);

    // Appends |row| to its book and year with the balance carried on from the last row,
    // then recomputes that book and year, in one transaction. A book and year holding a
    // closed row (ChiusuraAnno 1) take no new row: nothing is written and nothing is
    // returned. Returns the new row's key.
    std::optional<qint64> add(const CashRow& row);

    enum class Outcome { Done, Closed, Missing };

    // Writes date, book, amount, description, kind and code of row |id|; its Anno and
    // Saldo stay. A closed row is left as it is. The balances of the row's book and year,
    // and of its former book when it moved, are recomputed in the same transaction.
    Outcome modify(qint64 id, const CashRow& row);
    // Deletes row |id| unless it is closed, and recomputes its book and year.
    Outcome remove(qint64 id);

    // Rewrites the running balances of |book| in |anno| from zero, by date then key, in
    // one transaction; only rows whose balance changes are written. Returns their number.
    int RecomputeSaldo(int book, int anno);

private:
    db::Database& m_db;
};

} // namespace vb::accounting
