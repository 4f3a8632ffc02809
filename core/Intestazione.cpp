#include "core/Intestazione.h"

namespace vb {
namespace {

const QString kMissingRow =
    QStringLiteral("Intestazione dell'associazione non trovata nell'archivio (tabella Impostazioni).");

} // namespace

Intestazione readIntestazione(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT Intestazione, Indirizzo, Num, CAP, Citta, CodiceFiscale "
                                      "FROM Impostazioni WHERE CodiceImpostazioni = ?"),
                       {1});
    if (!st.next())
        throw db::Error(kMissingRow);
    return {st.text(0), st.text(1), st.text(2), st.text(3), st.text(4), st.text(5)};
}

QString indirizzoCompleto(const Intestazione& h)
{
    return h.Indirizzo + QStringLiteral(",") + h.Num + QStringLiteral(" - ") + h.CAP + QStringLiteral(" ") + h.Citta;
}

void registraIntestazione(db::Database& db, const Intestazione& typed)
{
    const bool capFits = typed.CAP.size() < 6;
    const int changed = db.execute(
        QStringLiteral("UPDATE Impostazioni SET Intestazione = ?, Indirizzo = ?, Num = ?, "
                       "CAP = CASE WHEN ? THEN ? ELSE CAP END, Citta = ?, CodiceFiscale = ?, CodiceAgg = 0 "
                       "WHERE CodiceImpostazioni = ?"),
        {typed.Intestazione, typed.Indirizzo, typed.Num, capFits, typed.CAP, typed.Citta,
         QStringLiteral("Cod. fiscale ") + typed.CodiceFiscale, 1});
    if (changed == 0)
        throw db::Error(kMissingRow);
}

} // namespace vb
