#include "members/fees/FeePrintSelection.h"

#include "core/Format.h"
#include "core/Parse.h"

#include <vector>

namespace vb::fees {

QString checkSelection(const FeeSelection& s)
{
    if (s.mode == SelectionMode::Unpaid && !parse::integer(s.year))
        return QStringLiteral("Anno non valido: scegliere l'anno delle quote non versate dall'elenco.");
    return QString();
}

namespace {

// The condition that is true (1) for the fee rows |s| selects, with its values in order.
// It gives the rows that clearing every flag, setting the selected ones and, for the
// unpaid list, clearing the renewed and those without consent would leave flagged: a
// membership test that cannot tell (a row without a person) clears nothing.
struct Condition {
    QString sql;
    std::vector<db::Param> params;
};

Condition selected(const FeeSelection& s, int currentYear)
{
    const QString paidIn = QStringLiteral("(Anno = ? AND QuotaVers <> 0)");
    switch (s.mode) {
    case SelectionMode::None: return {paidIn, {QString::number(currentYear)}};
    case SelectionMode::Year: return {paidIn, {s.year}};
    case SelectionMode::Person: return {QStringLiteral("(CodNom = ?)"), {s.codNom}};
    case SelectionMode::Unpaid: {
        const qint64 y = *parse::integer(s.year);
        return {QStringLiteral(
                    "(Anno = ? AND QuotaVers <> 0 "
                    "AND (CodNom IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ?)) IS NOT 1 "
                    "AND (CodNom IN (SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
                    "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0)) IS NOT 1)"),
                {QString::number(y - 1), QString::number(y)}};
    }
    case SelectionMode::MemberType:
        return {QStringLiteral("(Anno = ? AND CodNom IN (SELECT CodNom FROM TabellaNominativi WHERE TipoSocio = ?))"),
                {QString::number(currentYear), s.tipoSocio}};
    }
    return {QStringLiteral("0"), {}};
}

// Runs |sql| with the condition's values bound; returns the number of rows written.
int update(db::Database& db, const QString& sql, const Condition& c)
{
    auto st = db.prepare(sql);
    for (size_t i = 0; i < c.params.size(); ++i)
        st.bind(int(i) + 1, c.params[i]);
    return st.run();
}

} // namespace

int markFeesForPrint(db::Database& db, const FeeSelection& s, int currentYear)
{
    const QString refused = checkSelection(s);
    if (!refused.isEmpty())
        throw Error(refused);
    const Condition c = selected(s, currentYear);

    db::Transaction t(db);
    // Only the rows whose flag changes are written: the flagged rows no longer selected
    // (found through the index of the flagged rows), then the selected rows not yet flagged.
    int written = update(
        db, QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Validate <> 0 AND ") + c.sql + QStringLiteral(" IS NOT 1"),
        c);
    written += update(db, QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Validate <> 1 AND ") + c.sql, c);
    t.commit();
    return written;
}

QString selectionCaption(const FeeSelection& s, const QString& pickerText, const QDate& today)
{
    switch (s.mode) {
    case SelectionMode::None: return QString();
    case SelectionMode::Year: return QStringLiteral("Estrazione versamenti Soci anno: ") + pickerText;
    case SelectionMode::Person: return QStringLiteral("Estrazione per nominativo");
    case SelectionMode::Unpaid:
        return QStringLiteral("Versamenti non effettuati nell'anno: ") + pickerText + QStringLiteral(" (alla data del ")
            + fmt::date(today) + QStringLiteral(")");
    case SelectionMode::MemberType: return QStringLiteral("Tipo Socio: ") + pickerText;
    }
    return QString();
}

const QStringList& unpaidHiddenControls()
{
    static const QStringList controls{
        QStringLiteral("Label3"),  QStringLiteral("Label4"),          QStringLiteral("Label5"),  QStringLiteral("Label7"),
        QStringLiteral("txtAnno"), QStringLiteral("txtData"),         QStringLiteral("txtQuotaVersata"),
        QStringLiteral("txtNOTE"), QStringLiteral("Line3"),           QStringLiteral("Label6"),  QStringLiteral("Function1"),
    };
    return controls;
}

} // namespace vb::fees
