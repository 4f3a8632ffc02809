#include "members/lists/ReportSelections.h"

namespace vb::lists {
namespace {

// The persons who paid a non-zero fee of the year (bound first).
const QString kPaid = QStringLiteral(
    "SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND QuotaVers <> 0 AND CodNom IS NOT NULL");

} // namespace

int markSociEffettivi(db::Database& db, int year)
{
    const QString anno = QString::number(year);
    db::Transaction tx(db);
    // Each statement writes only the persons whose mark changes. The unary + makes the
    // membership a look-up during one pass over the registry, which is cheaper than
    // seeking each payer by key.
    int written = db.execute(
        QStringLiteral("UPDATE TabellaNominativi SET AddOK = 0 WHERE AddOK <> 0 AND +CodNom NOT IN (") + kPaid
            + QStringLiteral(")"),
        {anno});
    written += db.execute(
        QStringLiteral("UPDATE TabellaNominativi SET AddOK = 3 WHERE AddOK <> 3 AND +CodNom IN (") + kPaid
            + QStringLiteral(")"),
        {anno});
    tx.commit();
    return written;
}

int markSociDecaduti(db::Database& db, int year)
{
    const QString thisYear = QString::number(year);
    const QString lastYear = QString::number(year - 1);
    // A fee row of last year, not zero, whose person has no fee row this year and gave at
    // least one consent (last year and this year bound in that order).
    const QString lapsed = QStringLiteral(
        "(Anno = ? AND QuotaVers <> 0 "
        "AND CodNom NOT IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND CodNom IS NOT NULL) "
        "AND CodNom NOT IN (SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
        "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0))");
    db::Transaction tx(db);
    // Only the fee rows whose flag changes are written; a row the condition cannot tell
    // (no person) is not lapsed.
    int written = db.execute(
        QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Validate <> 0 AND ") + lapsed
            + QStringLiteral(" IS NOT 1"),
        {lastYear, thisYear});
    written += db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Validate <> 1 AND ") + lapsed,
                          {lastYear, thisYear});
    tx.commit();
    return written;
}

} // namespace vb::lists
