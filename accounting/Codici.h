#pragma once

#include "core/Database.h"

#include <QString>

#include <vector>

// The income and expense codes of the cash book (TabellaCodici): three characters each,
// unique, of kind 1 (income) or 2 (expense). The fee code "AQS" is never changed or
// deleted, since every fee posting writes it.
namespace vb::accounting {

inline const QString kCodiceQuote = QStringLiteral("AQS");

struct Codice {
    QString codice;
    QString descrizione;
    int attivitaPassivita = 0; // 1 income, 2 expense
};

// The code box of the cash-book window: "AQS (Quote sociali)", or the bare code when it
// has no description.
QString codeItem(const Codice& c);

class Codici {
public:
    explicit Codici(db::Database& db) : m_db(db) {}

    // Every code, by code.
    std::vector<Codice> all();
    // The codes of kind |attivitaPassivita| (0 for a kind that is neither), by code.
    std::vector<Codice> ofKind(int attivitaPassivita);
    // The description of |codice|; empty when there is no such code.
    QString descrizione(const QString& codice);

    // Each returns the message of the first refusal (title "ATTENZIONE", exclamation
    // icon), or an empty text when the change was written. The code is stored in capitals;
    // the kind is the typed text "1" or "2". DataIns becomes today.
    QString add(const QString& codice, const QString& descrizione, const QString& kind);
    // Changes the code |original| into the typed values.
    QString modify(const QString& original, const QString& codice, const QString& descrizione, const QString& kind);
    QString remove(const QString& codice);

    // The number of cash-book rows that carry |codice|.
    qint64 usage(const QString& codice);

private:
    bool exists(const QString& codice);
    QString checkFields(const QString& codice, const QString& descrizione, const QString& kind);

    db::Database& m_db;
};

inline const QString kCodeLengthMessage = QStringLiteral("Il codice deve essere di tre caratteri (lettere o cifre)! ");
inline const QString kCodeExistsMessage = QStringLiteral("Codice già esistente! ");
inline const QString kCodeKindMessage = QStringLiteral("Tipo non valido! Scrivere 1 per Entrate o 2 per Uscite. ");
inline const QString kCodeDescriptionMessage = QStringLiteral("Descrizione obbligatoria! ");
inline const QString kCodeReservedMessage =
    QStringLiteral("Il codice AQS (quote sociali) non può essere modificato né eliminato! ");
inline const QString kCodeInUseMessage =
    QStringLiteral("Il codice è usato nel libro cassa e non può essere eliminato! ");
inline const QString kCodeRenameInUseMessage =
    QStringLiteral("Il codice è usato nel libro cassa: si possono cambiare solo descrizione e tipo! ");
inline const QString kCodeMissingMessage = QStringLiteral("Codice non trovato! ");

} // namespace vb::accounting
