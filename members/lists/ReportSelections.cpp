#include "members/lists/ReportSelections.h"

namespace vb::lists {

void markSociEffettivi(db::Database& db, int year)
{
    db::Transaction tx(db);
    db.execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 0 WHERE AddOK <> 0"));
    db.execute(QStringLiteral(
        "UPDATE TabellaNominativi SET AddOK = 3 "
        "WHERE CodNom IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND QuotaVers <> 0)"),
        {QString::number(year)});
    tx.commit();
}

void markSociDecaduti(db::Database& db, int year)
{
    const QString thisYear = QString::number(year);
    const QString lastYear = QString::number(year - 1);
    db::Transaction tx(db);
    db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Validate <> 0"));
    db.execute(QStringLiteral(
        "UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0 "
        "AND CodNom NOT IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND CodNom IS NOT NULL) "
        "AND CodNom NOT IN (SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
        "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0)"),
        {lastYear, thisYear});
    tx.commit();
}

} // namespace vb::lists
