#include "members/Anagrafica.h"

#include "core/Error.h"
#include "core/Format.h"
#include "core/Text.h"

namespace vb::members {
namespace {

const QString kColumns = QStringLiteral(
    "NumTessera, DataIscrizione, Titolo, Cognome, Nome, Nominativo, NatoA, IL, Residente, CAP, Indirizzo, "
    "Numero, Telefono, Cell, EMail, TipoSocio, EnteAppartenenza, CFiscale, Note, Professione, TitoloStudio, "
    "OccupazioneAttuale, AssensoTrattDatiPersonali, AssensoFotoVideoWeb, AssensoMailList, CodiceControllo, Nucleo");
constexpr int kColumnCount = 27;

const QString kGridSelect = QStringLiteral(
    "SELECT CodNom, Cognome, Nome, Telefono, Cell, CFiscale, NumTessera, CodiceControllo FROM TabellaNominativi ");

QString orDefault(const QString& text, const QString& placeholder) { return text.isEmpty() ? placeholder : text; }

QDate storedDate(const QString& typed)
{
    const auto d = typedDate(typed);
    return d ? *d : QDate();
}

} // namespace

void Anagrafica::write(db::Statement& st, const PersonRecord& p, bool add)
{
    int i = 1;
    auto bind = [&](const db::Param& v) { st.bind(i++, v); };
    bind(add ? orDefault(p.Num, kNoCard) : p.Num);
    bind(storedDate(p.DataIscrizione));
    bind(p.Titolo);
    bind(p.Cognome);
    bind(p.Nome);
    bind(p.Cognome + QStringLiteral(" ") + p.Nome);
    bind(p.LuogoNascita);
    bind(storedDate(p.DataNascita));
    bind(p.Residente);
    bind(p.CAPresidente);
    bind(p.IndirizzoResidente);
    bind(p.Numero);
    bind(p.Telefono.isEmpty() ? db::Param(0) : db::Param(p.Telefono));
    bind(p.Cellulare);
    bind(p.PostaElettronica);
    bind(p.TipoSocio);
    bind(orDefault(p.EnteAppartenenza, kNotAvailable));
    bind(p.CF);
    bind(orDefault(p.Annotazioni, kNoNote));
    bind(orDefault(p.Professione, kNotAvailable));
    bind(orDefault(p.TitoloStudio, kNotAvailable));
    bind(orDefault(p.OccupazioneAttuale, kNotAvailable));
    bind(p.AssensoTrattDatiPersonali);
    bind(p.AssensoFotoVideoWeb);
    bind(p.AssensoMailList);
    bind(codiceControllo(p.TipoSocio));
    bind(p.Nucleo);
}

QString Anagrafica::add(PersonRecord& p, qint64* newKey)
{
    const QString failed = runChecks(Check::Add, p);
    if (!failed.isEmpty())
        return failed;
    QStringList marks;
    for (int i = 0; i < kColumnCount; ++i)
        marks << QStringLiteral("?");
    db::Transaction tx(m_db);
    auto st = m_db.prepare(QStringLiteral("INSERT INTO TabellaNominativi (") + kColumns + QStringLiteral(") VALUES (")
                           + marks.join(u',') + QStringLiteral(")"));
    write(st, p, true);
    st.run();
    const qint64 key = m_db.lastInsertId();
    tx.commit();
    if (newKey)
        *newKey = key;
    return QString();
}

QString Anagrafica::modify(qint64 codNom, PersonRecord& p)
{
    const QString failed = runChecks(Check::Modify, p);
    if (!failed.isEmpty())
        return failed;
    QStringList assignments;
    for (const QString& c : kColumns.split(QStringLiteral(", ")))
        assignments << c + QStringLiteral(" = ?");
    db::Transaction tx(m_db);
    auto st = m_db.prepare(QStringLiteral("UPDATE TabellaNominativi SET ") + assignments.join(QStringLiteral(", "))
                           + QStringLiteral(" WHERE CodNom = ?"));
    write(st, p, false);
    st.bind(kColumnCount + 1, codNom);
    if (st.run() != 1)
        throw Error(QStringLiteral("Il nominativo con numero di registrazione %1 non è più in archivio.").arg(codNom));
    tx.commit();
    return QString();
}

std::optional<PersonRecord> Anagrafica::load(qint64 codNom)
{
    auto st = m_db.query(QStringLiteral("SELECT * FROM TabellaNominativi WHERE CodNom = ?"), {codNom});
    if (!st.next())
        return std::nullopt;
    PersonRecord p;
    p.Num = fmt::text(st.text(QStringLiteral("NumTessera")), QStringLiteral("00000"));
    p.DataIscrizione = fmt::date(st.date(QStringLiteral("DataIscrizione")));
    p.Titolo = st.text(QStringLiteral("Titolo"));
    p.Cognome = st.text(QStringLiteral("Cognome"));
    p.Nome = st.text(QStringLiteral("Nome"));
    p.LuogoNascita = st.text(QStringLiteral("NatoA"));
    p.DataNascita = fmt::date(st.date(QStringLiteral("IL")));
    p.Residente = st.text(QStringLiteral("Residente"));
    p.CAPresidente = st.text(QStringLiteral("CAP"));
    p.IndirizzoResidente = st.text(QStringLiteral("Indirizzo"));
    p.Numero = st.text(QStringLiteral("Numero"));
    p.Telefono = st.text(QStringLiteral("Telefono"));
    p.Cellulare = st.text(QStringLiteral("Cell"));
    p.PostaElettronica = st.text(QStringLiteral("EMail"));
    p.TipoSocio = st.text(QStringLiteral("TipoSocio"));
    p.EnteAppartenenza = st.text(QStringLiteral("EnteAppartenenza"));
    p.CF = st.text(QStringLiteral("CFiscale"));
    p.Annotazioni = st.text(QStringLiteral("Note"));
    p.Professione = st.text(QStringLiteral("Professione"));
    p.TitoloStudio = st.text(QStringLiteral("TitoloStudio"));
    p.OccupazioneAttuale = st.text(QStringLiteral("OccupazioneAttuale"));
    p.Nucleo = st.text(QStringLiteral("Nucleo"));
    p.AssensoTrattDatiPersonali = st.integer(QStringLiteral("AssensoTrattDatiPersonali")) != 0;
    p.AssensoFotoVideoWeb = st.integer(QStringLiteral("AssensoFotoVideoWeb")) != 0;
    p.AssensoMailList = st.integer(QStringLiteral("AssensoMailList")) != 0;
    return p;
}

Anagrafica::Removal Anagrafica::remove(qint64 codNom)
{
    db::Transaction tx(m_db);
    auto st = m_db.query(QStringLiteral("SELECT NumTessera FROM TabellaNominativi WHERE CodNom = ?"), {codNom});
    if (!st.next())
        return Removal::Missing;
    if (isMember(st.text(0)))
        return Removal::RefusedMember;
    m_db.execute(QStringLiteral("DELETE FROM TabellaNominativi WHERE CodNom = ?"), {codNom});
    tx.commit();
    return Removal::Deleted;
}

std::vector<qint64> Anagrafica::duplicates(const QString& cognome, const QString& nome, const QDate& il,
                                           std::optional<qint64> except)
{
    // Names compare by their case-folded keys: "CANTÙ" "NICCOLÒ" is Cantù Niccolò.
    auto st = m_db.query(QStringLiteral("SELECT CodNom, Cognome, Nome, IL FROM TabellaNominativi "
                                        "WHERE ChiaveCognome = ? AND ChiaveNome = ? AND IL = ? AND CodNom <> ? "
                                        "ORDER BY CodNom"),
                         {text::foldedKey(cognome), text::foldedKey(nome), il, except.value_or(0)});
    std::vector<qint64> keys;
    while (st.next())
        keys.push_back(st.integer(0));
    return keys;
}

void Anagrafica::fetch(db::Statement& st, RegistryRows& out)
{
    out.clear();
    while (st.next())
        out.append(st.integer(0), {st.utf8(1), st.utf8(2), st.utf8(3), st.utf8(4), st.utf8(5), st.utf8(6)},
                   int(st.integer(7)));
}

void Anagrafica::rows(RegistryOrder order, RegistryRows& out)
{
    QString orderBy;
    switch (order) {
    case RegistryOrder::CodNomAscending: orderBy = QStringLiteral("ORDER BY CodNom ASC"); break;
    case RegistryOrder::CodNomDescending: orderBy = QStringLiteral("ORDER BY CodNom DESC"); break;
    case RegistryOrder::Cognome: orderBy = QStringLiteral("ORDER BY Cognome ASC, CodNom ASC"); break;
    }
    auto st = m_db.query(kGridSelect + orderBy);
    fetch(st, out);
}

void Anagrafica::search(const QString& prefix, RegistryRows& out)
{
    if (prefix.isEmpty()) {
        rows(RegistryOrder::CodNomDescending, out);
        return;
    }
    // A range on the surnames' case-folded keys finds the rows whose surname begins with
    // the typed text in any letter case, accented letters included.
    const QString low = text::foldedKey(prefix);
    const QString order = QStringLiteral("ORDER BY Cognome ASC, CodNom ASC");
    const QChar last = low.back();
    if (last.unicode() == 0xFFFF || last.isSurrogate()) {
        auto st = m_db.query(kGridSelect + QStringLiteral("WHERE ChiaveCognome >= ? AND substr(ChiaveCognome, 1, ?) = ? ")
                                 + order,
                             {low, qint64(low.toUcs4().size()), low});
        fetch(st, out);
        return;
    }
    QString high = low;
    high.back() = QChar(last.unicode() + 1);
    auto st = m_db.query(kGridSelect + QStringLiteral("WHERE ChiaveCognome >= ? AND ChiaveCognome < ? ") + order,
                         {low, high});
    fetch(st, out);
}

QStringList Anagrafica::enti()
{
    auto st = m_db.query(QStringLiteral("SELECT DISTINCT EnteAppartenenza FROM TabellaNominativi "
                                        "ORDER BY EnteAppartenenza ASC"));
    QStringList out;
    while (st.next()) {
        if (!st.isNull(0))
            out << st.text(0);
    }
    return out;
}

} // namespace vb::members
