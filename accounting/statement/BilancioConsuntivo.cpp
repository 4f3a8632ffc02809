#include "accounting/statement/BilancioConsuntivo.h"

namespace vb::statement {

QString BalanceSheetTotals::Label_Rimanenza() const
{
    return QStringLiteral("Rimanenza al 31/12/") + annoRighe + QStringLiteral(":");
}

BalanceSheetTotals RebuildBilancioConsuntivo(db::Database& db, int anno)
{
    db::Transaction tx(db);
    BalanceSheetTotals totals;
    totals.statement = RebuildRendicontazione(db, anno);

    db.execute(QStringLiteral("DELETE FROM TabellaRiepilogativoRendiconto"));
    // One line per code. The code is taken from the row itself rather than cut from the
    // start of its description, so that a code shorter than three characters keeps its
    // amounts. Codes are matched ignoring case, as the codes table does.
    db.execute(QStringLiteral(
        "INSERT INTO TabellaRiepilogativoRendiconto"
        " (Cod, CodDescrizione, OrdStampa, TotImportoE, TotImportoU, MenoPiu, Differenza)"
        " SELECT Cod, CodDescrizione,"
        " CASE WHEN TotU <> 0 THEN 2 WHEN TotE <> 0 THEN 1 ELSE 0 END,"
        " TotE, TotU, CASE WHEN TotE > TotU THEN '+' ELSE '-' END, ABS(TotE - TotU)"
        " FROM (SELECT MIN(IFNULL(Codice, '')) AS Cod, MIN(DescrCodice) AS CodDescrizione,"
        " SUM(ImportoE) AS TotE, SUM(ImportoU) AS TotU"
        " FROM Rendicontazione GROUP BY IFNULL(Codice, '') COLLATE NOCASE)"));

    {
        auto sums = db.query(QStringLiteral(
            "SELECT IFNULL(SUM(TotImportoE), 0), IFNULL(SUM(TotImportoU), 0),"
            " (SELECT MAX(Anno) FROM Rendicontazione) FROM TabellaRiepilogativoRendiconto"));
        if (sums.next()) {
            totals.GrandE = sums.money(0);
            totals.GrandU = sums.money(1);
            totals.annoRighe = sums.text(2);
        }
    }
    tx.commit();
    totals.GrandDiff = signedDifference(totals.GrandE, totals.GrandU);
    return totals;
}

} // namespace vb::statement
