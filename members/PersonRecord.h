#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// A person of the registry as the entry controls of the registry window hold it, and the
// checks that guard adding and modifying one.
namespace vb::members {

// The texts of the entry controls, each named after its control, exactly as typed.
struct PersonRecord {
    QString Num;                 // card number
    QString DataIscrizione;      // registration date, dd/mm/yyyy
    QString Titolo;
    QString Cognome;
    QString Nome;
    QString LuogoNascita;
    QString DataNascita;         // date of birth, dd/mm/yyyy
    QString Residente;
    QString CAPresidente;
    QString IndirizzoResidente;
    QString Numero;
    QString Telefono;
    QString Cellulare;
    QString PostaElettronica;
    QString TipoSocio;           // text of Combo1
    QString EnteAppartenenza;    // text of Combo2
    QString CF;
    QString Annotazioni;
    QString Professione;
    QString TitoloStudio;
    QString OccupazioneAttuale;
    QString Nucleo;              // text of Combo3
    bool AssensoTrattDatiPersonali = false;
    bool AssensoFotoVideoWeb = false;
    bool AssensoMailList = false;
};

// Placeholders written in place of values that were not given.
inline const QString kNoCard = QStringLiteral("0000");
inline const QString kNoTaxCode = QStringLiteral("AAABBB00A00A000A");
inline const QString kNotAvailable = QStringLiteral("Non disponibile");
inline const QString kNoNote = QStringLiteral("NIL");

// The member types in the order of Combo1; a type's code is its position.
const QStringList& memberTypes();
// The code of a member type: the position of the exact text (same case), 0 when none.
int codiceControllo(const QString& tipoSocio);

// A card number marks a member unless it reads as the number 0 (or is empty). A card
// that is not a number is still a card: its holder counts as a member.
bool isMember(const QString& numTessera);

// The date of birth or registration date as typed: eight digits ddmmyyyy or dd/mm/yyyy.
// Nothing when it is not a real calendar date.
std::optional<QDate> typedDate(const QString& text);
// "16051978" laid out as "16/05/1978"; other text comes back as it is.
QString formatTypedDate(const QString& text);

enum class Check { Add, Modify };

// Runs the add or modify checks in their order and stops at the first failure, whose
// message it returns (shown with the exclamation icon, title "ATTENZIONE"); an empty
// text when the record may be saved. A missing tax code puts the placeholder into |p|
// and fails; on modify a missing e-mail becomes "Non disponibile" in |p| and passes.
QString runChecks(Check kind, PersonRecord& p);

// Message texts of the registry.
QString duplicateMessage(qint64 codNom);
QString deleteQuestion(const PersonRecord& p);
QString memberNotDeletedMessage(const PersonRecord& p);
inline const QString kBadBirthDateMessage = QStringLiteral("Data non corretta...  Non inserire le barre / / ");
inline const QString kModifiedMessage =
    QStringLiteral("La modifica richiesta è stata effettuata e completata con successo. ");
inline const QString kBirthDateToolTip = QStringLiteral("Non inserire le /  / ma solo la data (es.16051978) ");

} // namespace vb::members
