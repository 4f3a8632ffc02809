#include "members/fees/QuoteSoci.h"

#include "core/Format.h"
#include "core/Parse.h"
#include "members/PersonRecord.h"

#include <QRegularExpression>

namespace vb::fees {
namespace {

std::vector<FeePerson> readPersons(db::Statement& st)
{
    std::vector<FeePerson> out;
    while (st.next())
        out.push_back({st.integer(0), st.text(1), st.text(2), st.text(3)});
    return out;
}

FeeRow readFee(const db::Statement& st)
{
    return {st.integer(0), st.integer(1), st.text(2), st.date(3), st.text(4), st.money(5), st.text(6)};
}

QStringList readTexts(db::Statement& st)
{
    QStringList out;
    while (st.next())
        out << st.text(0);
    return out;
}

const QString kPersonColumns = QStringLiteral("SELECT CodNom, Cognome, Nome, NumTessera FROM TabellaNominativi ");
const QString kFeeColumns =
    QStringLiteral("SELECT IDRegistro, CodNom, TessNum, Indata, Anno, QuotaVers, Note FROM RegistroQuoteSoci ");

} // namespace

QString NominativoRegNumItem(const FeePerson& p)
{
    return (p.Cognome + u' ' + p.Nome.toUpper() + QStringLiteral("  - Reg. Num.") + fmt::integer(p.CodNom, QStringLiteral("0000")))
        .toUpper();
}

QString cardNumber(const QString& numTessera)
{
    if (numTessera.trimmed().isEmpty())
        return QStringLiteral("00000");
    return fmt::text(numTessera, QStringLiteral("00000"));
}

std::optional<int> memberTypeCode(const QString& tipo)
{
    const qsizetype i = members::memberTypes().indexOf(tipo);
    if (i < 0)
        return std::nullopt;
    return int(i);
}

std::vector<FeePerson> persons(db::Database& db, std::optional<int> codiceControllo)
{
    if (codiceControllo) {
        auto st = db.query(kPersonColumns + QStringLiteral("WHERE CodiceControllo = ? ORDER BY Cognome, CodNom"),
                           {*codiceControllo});
        return readPersons(st);
    }
    auto st = db.query(kPersonColumns + QStringLiteral("ORDER BY Cognome, CodNom"));
    return readPersons(st);
}

std::optional<FeePerson> person(db::Database& db, qint64 codNom)
{
    auto st = db.query(kPersonColumns + QStringLiteral("WHERE CodNom = ?"), {codNom});
    auto found = readPersons(st);
    if (found.empty())
        return std::nullopt;
    return found.front();
}

QStringList storedMemberTypes(db::Database& db)
{
    QStringList out;
    for (const QString& t : storedTipoSocio(db)) {
        if (!out.contains(t.toUpper()))
            out << t.toUpper();
    }
    return out;
}

QStringList storedTipoSocio(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT DISTINCT TipoSocio FROM TabellaNominativi "
                                      "WHERE TipoSocio IS NOT NULL ORDER BY TipoSocio"));
    return readTexts(st);
}

QStringList storedYears(db::Database& db)
{
    auto st = db.query(QStringLiteral("SELECT DISTINCT Anno FROM RegistroQuoteSoci WHERE Anno IS NOT NULL ORDER BY Anno"));
    QStringList out;
    for (const QString& y : readTexts(st))
        out << y.toUpper();
    return out;
}

QString readFeeInput(const FeeInput& in, FeeEntry& out)
{
    const auto amount = parse::amount(in.Importo);
    if (!amount)
        return QStringLiteral("Importo non valido: inserire un numero (es. 25,00).");
    const auto date = parse::date(in.Data);
    if (!date)
        return QStringLiteral("Data del versamento non valida: inserire la data nel formato gg/mm/aaaa.");
    static const QRegularExpression year(QStringLiteral("^\\d{4}$"));
    const QString anno = in.Anno.trimmed();
    if (!year.match(anno).hasMatch())
        return QStringLiteral("Anno non valido: inserire l'anno con quattro cifre (es. 2026).");
    out = {in.NumTes, *date, anno, *amount, in.Note};
    return QString();
}

qint64 RegistroQuoteSoci::add(qint64 codNom, FeeEntry fee)
{
    if (fee.Note.isEmpty())
        fee.Note = QStringLiteral("NIL");
    db::Transaction t(m_db);
    m_db.execute(QStringLiteral("INSERT INTO RegistroQuoteSoci (CodNom, TessNum, Indata, Anno, QuotaVers, Note) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {codNom, fee.TessNum, fee.Indata, fee.Anno, fee.QuotaVers, fee.Note});
    const qint64 id = m_db.lastInsertId();
    t.commit();
    return id;
}

bool RegistroQuoteSoci::modify(qint64 id, const FeeEntry& fee)
{
    db::Transaction t(m_db);
    const int changed = m_db.execute(QStringLiteral("UPDATE RegistroQuoteSoci SET TessNum = ?, Indata = ?, Anno = ?, "
                                                    "QuotaVers = ?, Note = ? WHERE IDRegistro = ?"),
                                     {fee.TessNum, fee.Indata, fee.Anno, fee.QuotaVers, fee.Note, id});
    t.commit();
    return changed > 0;
}

bool RegistroQuoteSoci::remove(qint64 id)
{
    db::Transaction t(m_db);
    const int changed = m_db.execute(QStringLiteral("DELETE FROM RegistroQuoteSoci WHERE IDRegistro = ?"), {id});
    t.commit();
    return changed > 0;
}

std::optional<FeeRow> RegistroQuoteSoci::load(qint64 id)
{
    auto st = m_db.query(kFeeColumns + QStringLiteral("WHERE IDRegistro = ?"), {id});
    if (!st.next())
        return std::nullopt;
    return readFee(st);
}

std::vector<FeeRow> RegistroQuoteSoci::rows(qint64 codNom, bool ascending)
{
    auto st = m_db.query(kFeeColumns + (ascending ? QStringLiteral("WHERE CodNom = ? ORDER BY Anno, IDRegistro")
                                                  : QStringLiteral("WHERE CodNom = ? ORDER BY Anno DESC, IDRegistro DESC")),
                         {codNom});
    std::vector<FeeRow> out;
    while (st.next())
        out.push_back(readFee(st));
    return out;
}

} // namespace vb::fees
