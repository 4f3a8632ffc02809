#include "members/lists/Exports.h"

#include "core/Parse.h"
#include "members/lists/MemberLists.h"
#include "members/lists/Spreadsheet.h"

#include <QDir>

namespace vb::lists {
namespace {

const QString kSheet = QStringLiteral("foglio1");

QString fileName(const QString& content, int year, const QDate& day)
{
    return QStringLiteral("%1_%2_%3.xlsx").arg(content).arg(year).arg(day.toString(QStringLiteral("yyyy-MM-dd")));
}

ExportResult save(const QString& folder, const QString& name, const QList<SheetRow>& rows)
{
    ExportResult result;
    result.rows = int(rows.size()) - 1;
    if (result.rows <= 0)
        return result;
    result.path = QDir(folder).filePath(name);
    saveSpreadsheet(result.path, kSheet, rows);
    return result;
}

} // namespace

QString desktopFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    const QString desktop = QDir(home).filePath(QStringLiteral("Desktop"));
    return QDir(desktop).exists() ? desktop : home;
}

ExportResult exportFeePayers(db::Database& db, int year, const QString& folder, const QDate& day)
{
    QList<SheetRow> rows;
    rows.append({QStringLiteral("Tess.n."), QStringLiteral("Cognome"), QStringLiteral("Nome"),
                 QStringLiteral("Data Versamento"), QStringLiteral("Quota")});
    for (const auto& p : feePayments(db, year)) {
        // A payment date that reads as a date goes in as one; anything else as the text it is.
        const auto paid = parse::date(p.indata);
        rows.append({p.tessNum, p.cognome, p.nome, paid ? SheetCell(*paid) : SheetCell(p.indata), p.quota});
    }
    return save(folder, fileName(QStringLiteral("Versamenti_soci"), year, day), rows);
}

ExportResult exportMailingList(db::Database& db, int year, const QString& folder, const QDate& day)
{
    QList<SheetRow> rows;
    rows.append({QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("E-mail")});
    auto st = db.query(QStringLiteral(
        "SELECT Cognome, Nome, EMail FROM TabellaNominativi "
        "WHERE AssensoMailList <> 0 "
        "AND lower(trim(coalesce(EMail, ''))) NOT IN ('', 'non disponibile') "
        "AND CodNom IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ? AND QuotaVers <> 0) "
        "ORDER BY Cognome, Nome, CodNom"),
        {QString::number(year)});
    while (st.next())
        rows.append({st.text(0), st.text(1), st.text(2).trimmed()});
    return save(folder, fileName(QStringLiteral("Email_soci"), year, day), rows);
}

} // namespace vb::lists
