#include "accounting/RegistroCassaPrint.h"

#include "accounting/LibroCassa.h"
#include "core/Format.h"

namespace vb::accounting {

QString registerDifference(Money entrate, Money uscite)
{
    if (entrate > uscite)
        return QStringLiteral("+") + fmt::money(entrate - uscite);
    return QStringLiteral("-") + fmt::money(uscite - entrate);
}

RegisterTotals FillStampaLibroCassa(db::Database& db, int anno)
{
    db::Transaction tx(db);
    db.execute(QStringLiteral("DELETE FROM StampaLibroCassa"));
    db.execute(QStringLiteral("INSERT INTO StampaLibroCassa (Data, CodiceCategoria, Tipo, Descrizione, Importo,"
                              " ImportoE, ImportoU)"
                              " SELECT Data, CodiceCategoria, Tipo, Descrizione, Importo,"
                              " CASE WHEN Tipo = ? THEN Importo ELSE 0 END, CASE WHEN Tipo = ? THEN 0 ELSE Importo END"
                              " FROM LibroCassa WHERE Anno = ? ORDER BY Data ASC, ID_LibroCassa ASC"),
               {kEntrata, kEntrata, anno});
    RegisterTotals totals;
    auto q = db.query(QStringLiteral("SELECT COALESCE(SUM(ImportoE), 0), COALESCE(SUM(ImportoU), 0) FROM StampaLibroCassa"));
    q.next();
    totals.entrate = q.money(0);
    totals.uscite = q.money(1);
    tx.commit();
    totals.differenza = registerDifference(totals.entrate, totals.uscite);
    return totals;
}

} // namespace vb::accounting
