#include "members/PersonRecord.h"

#include "core/Format.h"
#include "core/Parse.h"

namespace vb::members {

const QStringList& memberTypes()
{
    static const QStringList types{
        QStringLiteral("MEMORIAM"),    QStringLiteral("HONOREM"), QStringLiteral("VITALIZI"),
        QStringLiteral("ORDINARI"),    QStringLiteral("SOSTENITORI"), QStringLiteral("ONORARI"),
        QStringLiteral("BENEMERITI"),
    };
    return types;
}

int codiceControllo(const QString& tipoSocio)
{
    const qsizetype i = memberTypes().indexOf(tipoSocio);
    return i < 0 ? 0 : int(i);
}

bool isMember(const QString& numTessera)
{
    if (numTessera.trimmed().isEmpty())
        return false;
    const auto n = parse::integer(numTessera);
    return !n || *n != 0;
}

QString formatTypedDate(const QString& text) { return fmt::text(text, QStringLiteral("00/00/0000")); }

std::optional<QDate> typedDate(const QString& text) { return parse::date(formatTypedDate(text)); }

QString runChecks(Check kind, PersonRecord& p)
{
    const bool add = kind == Check::Add;
    if (p.Cognome.isEmpty())
        return QStringLiteral("Cognome mancante! ");
    if (p.Nome.isEmpty())
        return QStringLiteral("Nome mancante! ");
    if (p.CAPresidente.isEmpty())
        return QStringLiteral("CAP residenza mancante! ");
    if (p.Cellulare.isEmpty())
        return QStringLiteral("Num. Cellulare mancante! ");
    if (p.CF.isEmpty()) {
        p.CF = kNoTaxCode;
        return QStringLiteral("Codice Fiscale mancante! Se non disponibile sarà assegnato comunque uno non valido. ");
    }
    if (p.LuogoNascita.isEmpty())
        return QStringLiteral("Luogo di nascita mancante! ");
    if (add && p.DataNascita.isEmpty())
        return QStringLiteral("Data di nascita mancante! ");
    if (p.Residente.isEmpty())
        return QStringLiteral("Residenza mancante! ");
    if (p.IndirizzoResidente.isEmpty())
        return QStringLiteral("Indirizzo mancante! ");
    if (p.Numero.isEmpty())
        return QStringLiteral("Numero indirizzo mancante! ");
    if (!p.AssensoTrattDatiPersonali)
        return QStringLiteral("Assenso trattamenti dati personali mancante! ");
    if (p.TipoSocio.isEmpty())
        return QStringLiteral("Tipo di Socio necessario! ");
    if (p.PostaElettronica.isEmpty()) {
        if (add)
            return QStringLiteral("E-mail mancante/non valida! ");
        p.PostaElettronica = kNotAvailable;
    }
    if (p.CF.size() != 16)
        return QStringLiteral("Codice Fiscale o non valido! ");
    // Dates are stored as dates: a text that is not one would be lost.
    if (!p.DataNascita.isEmpty() && !typedDate(p.DataNascita))
        return QStringLiteral("Data di nascita non corretta! Inserire la data come ggmmaaaa (es.16051978). ");
    if (!p.DataIscrizione.isEmpty() && !typedDate(p.DataIscrizione))
        return QStringLiteral("Data di iscrizione non corretta! Inserire la data come gg/mm/aaaa. ");
    return QString();
}

QString duplicateMessage(qint64 codNom)
{
    return QStringLiteral("Nominativo già in archivio! Vedi numero di registrazione: ID.") + QString::number(codNom)
        + QStringLiteral(" Pertanto i dati inseriti non saranno registrati. ");
}

QString deleteQuestion(const PersonRecord& p)
{
    return QStringLiteral("Sicuro di voler eliminare questo nominativo (") + p.Cognome + QStringLiteral(" ") + p.Nome
        + QStringLiteral(")?   Una volta eliminato non sarà piu possibile recuperarlo. ");
}

QString memberNotDeletedMessage(const PersonRecord& p)
{
    return QStringLiteral("Non è possibile cancellare dal registro il Socio (") + p.Cognome + QStringLiteral(" ") + p.Nome
        + QStringLiteral(")!   In quanto per ragioni di storicità e di statistica i soci non possono essere cancellati. ");
}

} // namespace vb::members
