#include "members/fees/FeePrintSelection.h"

#include "core/Format.h"
#include "core/Parse.h"

namespace vb::fees {

QString checkSelection(const FeeSelection& s)
{
    if (s.mode == SelectionMode::Unpaid && !parse::integer(s.year))
        return QStringLiteral("Anno non valido: scegliere l'anno delle quote non versate dall'elenco.");
    return QString();
}

int markFeesForPrint(db::Database& db, const FeeSelection& s, int currentYear)
{
    const QString refused = checkSelection(s);
    if (!refused.isEmpty())
        throw Error(refused);
    const QString y0 = QString::number(currentYear);

    db::Transaction t(db);
    db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0"));
    switch (s.mode) {
    case SelectionMode::None:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0"), {y0});
        break;
    case SelectionMode::Year:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0"), {s.year});
        break;
    case SelectionMode::Person:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE CodNom = ?"), {s.codNom});
        break;
    case SelectionMode::Unpaid: {
        const qint64 y = *parse::integer(s.year);
        const QString year = QString::number(y);
        const QString previous = QString::number(y - 1);
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND QuotaVers <> 0"),
                   {previous});
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Anno = ? AND CodNom IN "
                                  "(SELECT CodNom FROM RegistroQuoteSoci WHERE Anno = ?)"),
                   {previous, year});
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 0 WHERE Validate = 1 AND CodNom IN "
                                  "(SELECT CodNom FROM TabellaNominativi WHERE AssensoTrattDatiPersonali = 0 "
                                  "AND AssensoFotoVideoWeb = 0 AND AssensoMailList = 0)"));
        break;
    }
    case SelectionMode::MemberType:
        db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET Validate = 1 WHERE Anno = ? AND CodNom IN "
                                  "(SELECT CodNom FROM TabellaNominativi WHERE TipoSocio = ?)"),
                   {y0, s.tipoSocio});
        break;
    }
    auto count = db.query(QStringLiteral("SELECT COUNT(*) FROM RegistroQuoteSoci WHERE Validate = 1"));
    count.next();
    const int flagged = int(count.integer(0));
    t.commit();
    return flagged;
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
