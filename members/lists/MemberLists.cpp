#include "members/lists/MemberLists.h"

#include "core/Format.h"
#include "members/lists/ListLine.h"

#include <algorithm>
#include <vector>

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
    const QString yearText = QString::number(year).rightJustified(4, u'0');

    // The marks a person should have; a birthday in the months also makes a line.
    struct Marks {
        qint64 codNom = 0;
        int addOK = 0;
        qint64 anni = 0;
        QString compleanno = QStringLiteral("0");
    };
    struct Birthday {
        int month, day, born;
        QByteArray cognome, nome;
        qint64 codNom;
        QString line;
    };
    std::vector<Marks> changed;
    std::vector<Birthday> birthdays;

    db::Transaction tx(db);
    {
        // Only persons holding a mark or renewed can need one: the others keep their zeros.
        // A person renewed in this year or the last (tied to their fees by key: card numbers
        // are typed freely in the registry, "12" or "0012", while the fees hold five digits)
        // with all three consents is marked 1, or 2 with the age and this year's birthday
        // when born in the months. Day, month and year come from the stored date of birth
        // (read once, as yyyy-mm-dd); a date that does not read leaves the person out of the
        // months.
        const QString renewed = QStringLiteral(
            "(AssensoTrattDatiPersonali <> 0 AND AssensoFotoVideoWeb <> 0 AND AssensoMailList <> 0 "
            "AND EXISTS (SELECT 1 FROM RegistroQuoteSoci R WHERE R.CodNom = N.CodNom AND R.Anno IN (?, ?)))");
        const QString thisYear = QString::number(year);
        const QString lastYear = QString::number(year - 1);
        auto st = db.query(
            QStringLiteral("SELECT CodNom, AddOK, Anni, Compleanno, CodiceControllo2, ") + renewed
                + QStringLiteral(", strftime('%Y-%m-%d', IL), NumTessera, Cognome, Nome FROM TabellaNominativi N "
                                 "WHERE AddOK <> 0 OR Anni <> 0 OR CodiceControllo2 <> 0 OR Compleanno IS NOT '0' OR ")
                + renewed,
            {thisYear, lastYear, thisYear, lastYear});
        while (st.next()) {
            Marks m;
            m.codNom = st.integer(0);
            if (st.integer(5) != 0) {
                m.addOK = 1;
                const QString born = st.text(6);
                const int month = born.isEmpty() ? 0 : QStringView(born).mid(5, 2).toInt();
                if (month >= fromMonth && month <= toMonth && month != 0) {
                    m.addOK = 2;
                    const int bornYear = QStringView(born).left(4).toInt();
                    m.anni = year - bornYear;
                    m.compleanno = born.mid(8, 2) + u'/' + born.mid(5, 2) + u'/' + yearText;
                    birthdays.push_back({month, QStringView(born).mid(8, 2).toInt(), bornYear, st.utf8(8).toByteArray(),
                                         st.utf8(9).toByteArray(), m.codNom,
                                         card(st.text(7)) + kTab + feeListName(st.text(8), st.text(9)) + kTab
                                             + m.compleanno + kTab + QString::number(m.anni)});
                }
            }
            // A missing Compleanno reads as "", which is never a mark.
            if (st.integer(1) != m.addOK || st.integer(2) != m.anni || st.integer(4) != 0 || st.text(3) != m.compleanno)
                changed.push_back(std::move(m));
        }
    }
    auto write = db.prepare(QStringLiteral(
        "UPDATE TabellaNominativi SET AddOK = ?, Anni = ?, Compleanno = ?, CodiceControllo2 = 0 WHERE CodNom = ?"));
    for (const Marks& m : changed) {
        write.reset();
        write.bindAll({m.addOK, m.anni, m.compleanno, m.codNom}).run();
    }
    tx.commit();
    r.written = int(changed.size());

    // By month, day and year of birth, then surname and name as the archive compares them.
    std::sort(birthdays.begin(), birthdays.end(), [](const Birthday& a, const Birthday& b) {
        if (a.month != b.month)
            return a.month < b.month;
        if (a.day != b.day)
            return a.day < b.day;
        if (a.born != b.born)
            return a.born < b.born;
        if (const int c = db::compareNoCase(a.cognome, b.cognome))
            return c < 0;
        if (const int c = db::compareNoCase(a.nome, b.nome))
            return c < 0;
        return a.codNom < b.codNom;
    });
    r.lines.reserve(qsizetype(birthdays.size()));
    for (const Birthday& b : birthdays)
        r.lines << b.line;
    return r;
}

} // namespace vb::lists
