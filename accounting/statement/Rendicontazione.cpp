#include "accounting/statement/Rendicontazione.h"

#include "core/Format.h"
#include "core/Parse.h"

#include <limits>

namespace vb::statement {

std::optional<int> statementYear(const QString& text)
{
    const std::optional<qint64> year = parse::integer(text);
    if (!year || *year < std::numeric_limits<int>::min() || *year > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*year);
}

QString signedDifference(Money income, Money expense)
{
    if (income > expense)
        return fmt::money(income - expense, QStringLiteral("+ € ##,##0.00"));
    return fmt::money(expense - income, QStringLiteral("- € ##,##0.00"));
}

StatementTotals RebuildRendicontazione(db::Database& db, int anno)
{
    db::Transaction tx(db);
    db.execute(QStringLiteral("DELETE FROM Rendicontazione"));
    // The join leaves out rows whose cash book has no header; a code missing from
    // TabellaCodici gives an empty description ("XYZ - "). The kind is compared exactly.
    db.execute(QStringLiteral(
        "INSERT INTO Rendicontazione (TestataCassa, EntrataUscita, Codice, DescrCodice, Data, Anno,"
        " Importo, ImportoE, ImportoU, RiceNum, Causale)"
        " SELECT TestateLibroCassa.TestataCassa, LibroCassa.Tipo, LibroCassa.CodiceCategoria,"
        " IFNULL(LibroCassa.CodiceCategoria, '') || ' - ' || IFNULL(TabellaCodici.CodDescrizione, ''),"
        " LibroCassa.Data, LibroCassa.Anno, LibroCassa.Importo,"
        " CASE WHEN LibroCassa.Tipo = 'E' THEN LibroCassa.Importo ELSE 0 END,"
        " CASE WHEN LibroCassa.Tipo = 'U' THEN LibroCassa.Importo ELSE 0 END,"
        " LibroCassa.RicevutaNumero, LibroCassa.Descrizione"
        " FROM TestateLibroCassa"
        " INNER JOIN LibroCassa ON TestateLibroCassa.CodiceTestataCassa = LibroCassa.CodiceTestataCassa"
        " LEFT JOIN TabellaCodici ON TabellaCodici.Codice = LibroCassa.CodiceCategoria"
        " WHERE LibroCassa.Anno = ?"
        " ORDER BY LibroCassa.Data ASC, LibroCassa.ID_LibroCassa ASC"),
        {anno});

    StatementTotals totals;
    {
        auto sums = db.query(QStringLiteral(
            "SELECT IFNULL(SUM(ImportoE), 0), IFNULL(SUM(ImportoU), 0) FROM Rendicontazione"));
        if (sums.next()) {
            totals.TotEntrate = sums.money(0);
            totals.TotUscite = sums.money(1);
        }
    }
    tx.commit();
    totals.Differenza = signedDifference(totals.TotEntrate, totals.TotUscite);
    return totals;
}

} // namespace vb::statement
