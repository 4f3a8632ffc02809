#include "accounting/Codici.h"

#include "core/Clock.h"

#include <algorithm>

namespace vb::accounting {
namespace {

std::vector<Codice> readCodes(db::Statement& q)
{
    std::vector<Codice> out;
    while (q.next())
        out.push_back({q.text(0), q.text(1), int(q.integer(2))});
    return out;
}

bool isCodeChar(QChar c) { return c.isLetterOrNumber(); }

} // namespace

QString codeItem(const Codice& c)
{
    if (c.descrizione.isEmpty())
        return c.codice;
    return c.codice + QStringLiteral(" (") + c.descrizione + QLatin1Char(')');
}

std::vector<Codice> Codici::all()
{
    auto q = m_db.query(QStringLiteral("SELECT Codice, CodDescrizione, AttivitaPassivita FROM TabellaCodici"
                                       " ORDER BY Codice ASC"));
    return readCodes(q);
}

std::vector<Codice> Codici::ofKind(int attivitaPassivita)
{
    auto q = m_db.query(QStringLiteral("SELECT Codice, CodDescrizione, AttivitaPassivita FROM TabellaCodici"
                                       " WHERE AttivitaPassivita = ? ORDER BY Codice ASC"),
                        {attivitaPassivita});
    return readCodes(q);
}

QString Codici::descrizione(const QString& codice)
{
    auto q = m_db.query(QStringLiteral("SELECT CodDescrizione FROM TabellaCodici WHERE Codice = ?"), {codice});
    return q.next() ? q.text(0) : QString();
}

qint64 Codici::usage(const QString& codice)
{
    auto q = m_db.query(QStringLiteral("SELECT COUNT(*) FROM LibroCassa WHERE CodiceCategoria = ?"), {codice});
    q.next();
    return q.integer(0);
}

bool Codici::exists(const QString& codice)
{
    return m_db.query(QStringLiteral("SELECT 1 FROM TabellaCodici WHERE Codice = ?"), {codice}).next();
}

QString Codici::checkFields(const QString& codice, const QString& descrizione, const QString& kind)
{
    if (codice.size() != 3 || !std::all_of(codice.begin(), codice.end(), isCodeChar))
        return kCodeLengthMessage;
    if (descrizione.trimmed().isEmpty())
        return kCodeDescriptionMessage;
    if (kind.trimmed() != u"1" && kind.trimmed() != u"2")
        return kCodeKindMessage;
    return QString();
}

QString Codici::add(const QString& codiceTyped, const QString& descrizione, const QString& kind)
{
    const QString codice = codiceTyped.toUpper();
    if (QString refusal = checkFields(codice, descrizione, kind); !refusal.isEmpty())
        return refusal;
    db::Transaction tx(m_db);
    if (exists(codice))
        return kCodeExistsMessage;
    m_db.execute(QStringLiteral("INSERT INTO TabellaCodici (Codice, CodDescrizione, AttivitaPassivita, DataIns)"
                                " VALUES (?, ?, ?, ?)"),
                 {codice, descrizione, kind.trimmed().toInt(), today()});
    tx.commit();
    return QString();
}

QString Codici::modify(const QString& original, const QString& codiceTyped, const QString& descrizione,
                       const QString& kind)
{
    const QString codice = codiceTyped.toUpper();
    if (original.compare(kCodiceQuote, Qt::CaseInsensitive) == 0)
        return kCodeReservedMessage;
    if (QString refusal = checkFields(codice, descrizione, kind); !refusal.isEmpty())
        return refusal;
    db::Transaction tx(m_db);
    if (!exists(original))
        return kCodeMissingMessage;
    const bool renamed = codice.compare(original, Qt::CaseInsensitive) != 0;
    if (renamed && exists(codice))
        return kCodeExistsMessage;
    // The cash-book rows name their code: renaming a code in use would orphan them.
    if (renamed && usage(original) > 0)
        return kCodeRenameInUseMessage;
    m_db.execute(QStringLiteral("UPDATE TabellaCodici SET Codice = ?, CodDescrizione = ?, AttivitaPassivita = ?,"
                                " DataIns = ? WHERE Codice = ?"),
                 {codice, descrizione, kind.trimmed().toInt(), today(), original});
    tx.commit();
    return QString();
}

QString Codici::remove(const QString& codice)
{
    if (codice.compare(kCodiceQuote, Qt::CaseInsensitive) == 0)
        return kCodeReservedMessage;
    db::Transaction tx(m_db);
    if (usage(codice) > 0)
        return kCodeInUseMessage;
    m_db.execute(QStringLiteral("DELETE FROM TabellaCodici WHERE Codice = ?"), {codice});
    tx.commit();
    return QString();
}

} // namespace vb::accounting
