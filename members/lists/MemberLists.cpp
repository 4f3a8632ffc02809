#include "members/lists/MemberLists.h"

#include "core/Format.h"
#include "members/lists/ListLine.h"

namespace vb::lists {
namespace {

const QString kTab = QStringLiteral("\t");

QString spaces(int n) { return QString(n, u' '); }

QString card(const QString& stored) { return fmt::text(stored, QStringLiteral("00000")); }

} // namespace

QList<FeePayment> feePayments(db::Database& db, int year)
{
    auto st = db.query(QStringLiteral(
        "SELECT R.TessNum, N.Cognome, N.Nome, R.Indata, R.QuotaVers, R.Note "
        "FROM TabellaNominativi N JOIN RegistroQuoteSoci R ON R.CodNom = N.CodNom "
        "WHERE R.Anno = ? ORDER BY N.Cognome, N.Nome, R.IDRegistro"),
        {QString::number(year)});
    QList<FeePayment> rows;
    while (st.next())
        rows.append({card(st.text(0)), st.text(1), st.text(2), shownDate(st, QStringLiteral("Indata")),
                     st.money(4), st.text(5)});
    return rows;
}

ListResult feeList(db::Database& db, int year)
{
    ListResult r;
    r.header = QStringLiteral("Tess.n.") + kTab + QStringLiteral("Cognome") + spaces(17) + QStringLiteral("Nome")
        + spaces(18) + QStringLiteral("Data Versamento") + spaces(7) + QStringLiteral("Quota");
    const auto rows = feePayments(db, year);
    r.lines.reserve(rows.size());
    for (const auto& p : rows) {
        r.lines << p.tessNum + kTab + feeListName(p.cognome, p.nome) + kTab + p.indata + kTab + fmt::money(p.quota);
        r.total += p.quota;
    }
    return r;
}

ListResult enrolmentList(db::Database& db, const QDate& from, const QDate& to)
{
    ListResult r;
    r.header = QStringLiteral("Index n.") + kTab + QStringLiteral("Cognome") + spaces(3) + QStringLiteral("Nome")
        + spaces(18) + QStringLiteral("Data Iscrizione") + spaces(7) + QStringLiteral("Tess.Num.");
    auto st = db.query(QStringLiteral(
        "SELECT CodNom, Cognome, Nome, DataIscrizione, NumTessera FROM TabellaNominativi "
        "WHERE DataIscrizione BETWEEN ? AND ? ORDER BY DataIscrizione, CodNom"),
        {from, to});
    while (st.next()) {
        const QString name = padName(st.text(1).toUpper() + u' ' + st.text(2).toUpper(), 19, 20, 19);
        r.lines << fmt::integer(st.integer(0), QStringLiteral("00000")) + kTab + name + kTab
                + shownDate(st, QStringLiteral("DataIscrizione")) + kTab + st.text(4);
    }
    return r;
}

ListResult refillStampaSoci(db::Database& db, int year)
{
    ListResult r;
    r.header = QStringLiteral("Num.") + kTab + QStringLiteral("Tess.n.") + kTab + QStringLiteral("Cognome e Nome");
    const auto rows = feePayments(db, year);
    db::Transaction tx(db);
    db.execute(QStringLiteral("DELETE FROM StampaSoci"));
    auto insert = db.prepare(QStringLiteral(
        "INSERT INTO StampaSoci (Num, Cognome, Nome, TessNumero, Note) VALUES (?, ?, ?, ?, ?)"));
    int num = 0;
    for (const auto& p : rows) {
        ++num;
        insert.reset();
        insert.bindAll({num, p.cognome, p.nome, p.tessNum, p.note}).run();
        r.lines << QString::number(num) + kTab + p.tessNum + kTab + p.cognome + u' ' + p.nome;
    }
    tx.commit();
    return r;
}

ListResult birthdayList(db::Database& db, int fromMonth, int toMonth, const QDate& today)
{
    ListResult r;
    r.header = QStringLiteral("Tess.n.") + kTab + QStringLiteral("Cognome") + spaces(7) + QStringLiteral("Nome")
        + spaces(28) + QStringLiteral("Data Compleanno") + QStringLiteral("     Anni");
    const int year = today.year();
    {
        db::Transaction tx(db);
        db.execute(QStringLiteral(
            "UPDATE TabellaNominativi SET AddOK = 0, CodiceControllo2 = 0, Anni = 0, Compleanno = '0'"));
        // Persons are tied to their fees by their key: card numbers are typed freely in the
        // registry ("12", "0012") while the fees hold them with five digits.
        db.execute(QStringLiteral(
            "UPDATE TabellaNominativi SET AddOK = 1 "
            "WHERE AssensoTrattDatiPersonali <> 0 AND AssensoFotoVideoWeb <> 0 AND AssensoMailList <> 0 "
            "AND CodNom IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno IN (?, ?))"),
            {QString::number(year), QString::number(year - 1)});
        // Day, month and year come from the stored date of birth; rows without a readable
        // date give NULL and stay out.
        db.execute(QStringLiteral(
            "UPDATE TabellaNominativi SET AddOK = 2, "
            "Anni = ? - CAST(strftime('%Y', IL) AS INTEGER), "
            "Compleanno = strftime('%d/%m/', IL) || ? "
            "WHERE AddOK = 1 AND CAST(strftime('%m', IL) AS INTEGER) BETWEEN ? AND ?"),
            {year, QString::number(year).rightJustified(4, u'0'), fromMonth, toMonth});
        tx.commit();
    }
    auto st = db.query(QStringLiteral(
        "SELECT NumTessera, Cognome, Nome, Compleanno, Anni FROM TabellaNominativi WHERE AddOK = 2 "
        "ORDER BY strftime('%m', IL), strftime('%d', IL), strftime('%Y', IL), Cognome, Nome, CodNom"));
    while (st.next())
        r.lines << card(st.text(0)) + kTab + feeListName(st.text(1), st.text(2)) + kTab + st.text(3) + kTab
                + QString::number(st.integer(4));
    return r;
}

} // namespace vb::lists
