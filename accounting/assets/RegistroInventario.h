#pragma once

#include "core/Database.h"
#include "core/Money.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// The register of goods (RegistroInventario): the checks on what the user typed, the rows
// New, Modify and Delete write, and the yearly recalculation of the current values.
namespace vb::assets {

inline const QString kDateMessage =
    QStringLiteral("Formato data non valido! Immettere la data in questo formato: gg/mm/aaaa");
inline const QString kMissingMessage =
    QStringLiteral("Campi obbligatori non compilati (quelli non in corsivo)! \nImpossibile andare avanti.");
inline const QString kYearMessage =
    QStringLiteral("Anno di acquisto non valido! Immettere l'anno in cifre, ad esempio 2026.");

// One item as stored.
struct InventoryItem {
    qint64 NumInv = 0;
    QDate Data;
    int Anno = 0;
    QString Descrizione;
    Money Valore;
    Money Svalutazione;
    QString Ubicazione;
    QString Fornitore;
    QString FattScontr;
    QString NumFatScontr;
    QDate DataFatScontr;
    QString Annotazioni;
};

// The window's boxes as typed.
struct InventoryInput {
    QString DataAcquisto;
    QString Anno;
    QString Descrizione;
    QString Importo;
    QString Ubicazione;
    QString Fornitore;
    QString FattScontr;
    QString NumFatScontr;
    QString DataFatScontr;
    QString Annotazioni;
};

// Why a New or Modify was refused; the box the focus goes back to follows from it.
enum class Refusal { None, PurchaseDate, DocumentDate, Year, Missing };

struct Check {
    Refusal refusal = Refusal::None;
    QString message() const;
    explicit operator bool() const { return refusal == Refusal::None; }
};

// The typed price: an empty or unreadable price counts as 0.
Money typedPrice(const QString& text);

// The typed purchase date: exactly ten characters, gg/mm/aaaa, and a real date.
std::optional<QDate> purchaseDate(const QString& text);

// New: fills the empty optional boxes of |input| with their defaults (the window shows
// them even when the item is refused), then checks the boxes in order and fills |item|.
Check readNewItem(InventoryInput& input, const QDate& today, InventoryItem& item);

// What Modify writes: date and year always, every other field only when its box is filled
// (the price only when it is not 0; it sets the current value too).
struct InventoryChange {
    QDate Data;
    int Anno = 0;
    std::optional<QString> Descrizione;
    std::optional<Money> Valore;
    std::optional<QString> Ubicazione;
    std::optional<QString> Fornitore;
    std::optional<QString> FattScontr;
    std::optional<QString> NumFatScontr;
    std::optional<QDate> DataFatScontr;
    std::optional<QString> Annotazioni;
};

Check readChange(const InventoryInput& input, InventoryChange& change);

class RegistroInventario {
public:
    explicit RegistroInventario(db::Database& db) : m_db(db) {}

    // Every item, newest first.
    std::vector<InventoryItem> rows() const;
    std::optional<InventoryItem> load(qint64 numInv) const;
    // Adds |item| with its current value set to its price; returns the new NumInv.
    qint64 add(const InventoryItem& item);
    // False when the item is no longer in the archive.
    bool modify(qint64 numInv, const InventoryChange& change);
    bool remove(qint64 numInv);

private:
    db::Database& m_db;
};

// Sets every item's current value for |currentYear| from its price, in one transaction:
// bought in an earlier year, the depreciated price; in a later year, the price; in this
// year the row is left as it is. Only rows whose value changes are written; returns them.
int RecomputeSvalutazione(db::Database& db, int currentYear);

} // namespace vb::assets
