#pragma once

#include "core/Database.h"

#include <QString>

namespace vb {

// The association heading: the row of Impostazioni whose CodiceImpostazioni is 1.
struct Intestazione {
    QString Intestazione;
    QString Indirizzo;
    QString Num;
    QString CAP;
    QString Citta;
    QString CodiceFiscale;
};

// Reads the heading row; throws db::Error when it is missing.
Intestazione readIntestazione(db::Database& db);

// The address line shown under the heading: "Indirizzo,Num - CAP Citta".
QString indirizzoCompleto(const Intestazione& h);

// Stores the heading as typed in the entry boxes: the tax code gets the prefix
// "Cod. fiscale ", a postal code of 6 or more characters leaves the stored one as it is,
// and CodiceAgg goes back to 0. Throws db::Error (the row missing included).
void registraIntestazione(db::Database& db, const Intestazione& typed);

} // namespace vb
