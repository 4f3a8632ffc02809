#include "members/lists/MemberLists.h"

#include "core/Format.h"
#include "members/lists/ListLine.h"
#include "members/lists/tests/ListsFixture.h"

namespace vb::test {
namespace {

using lists::feeListName;

class MemberListsTest : public ListsTest {};

TEST_F(MemberListsTest, FeeListShowsThePayersOfTheYearBySurnameWithTheirTotal)
{
    const auto verdi = addPerson({QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("7")});
    const auto bianchi = addPerson({QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("00012")});
    const auto rossi = addPerson({QStringLiteral("Rossi"), QStringLiteral("Luca"), QStringLiteral("3")});
    addFee(verdi, QStringLiteral("2026"), 2500, QDate(2026, 3, 1));
    addFee(bianchi, QStringLiteral("2026"), 123450, QDate(2026, 2, 14));
    addFee(rossi, QStringLiteral("2025"), 2500);

    const auto list = lists::feeList(*db, 2026);

    EXPECT_EQ(list.header, QStringLiteral("Tess.n.\tCognome                 Nome                  Data Versamento       Quota"));
    const QStringList expected = {
        QStringLiteral("00012\t") + feeListName(QStringLiteral("Bianchi"), QStringLiteral("Anna"))
            + QStringLiteral("\t14/02/2026\t1.234,50"),
        QStringLiteral("00007\t") + feeListName(QStringLiteral("Verdi"), QStringLiteral("Mario"))
            + QStringLiteral("\t01/03/2026\t25,00"),
    };
    EXPECT_EQ(list.lines, expected);
    EXPECT_EQ(list.total, Money::fromCents(125950));
    EXPECT_TRUE(lists::feeList(*db, 2024).lines.isEmpty());
}

TEST_F(MemberListsTest, EnrolmentListIncludesBothEndsOfThePeriodInDateOrder)
{
    Person p{QStringLiteral("Rossi"), QStringLiteral("Anna"), QStringLiteral("00012")};
    p.iscrizione = QDate(2026, 6, 30);
    const auto late = addPerson(p);
    p = {QStringLiteral("Bruni"), QStringLiteral("Carlo Alberto Maria"), QStringLiteral("0")};
    p.iscrizione = QDate(2026, 1, 1);
    const auto early = addPerson(p);
    p.iscrizione = QDate(2025, 12, 31);
    addPerson(p);
    p.iscrizione = QDate(2026, 7, 1);
    addPerson(p);

    const auto list = lists::enrolmentList(*db, QDate(2026, 1, 1), QDate(2026, 6, 30));

    EXPECT_EQ(list.header, QStringLiteral("Index n.\tCognome   Nome                  Data Iscrizione       Tess.Num."));
    const QStringList expected = {
        QStringLiteral("%1\tBRUNI CARLO ALBERTO\t01/01/2026\t0").arg(early, 5, 10, QLatin1Char('0')),
        QStringLiteral("%1\tROSSI ANNA>>>>>>>>>\t30/06/2026\t00012").arg(late, 5, 10, QLatin1Char('0')),
    };
    EXPECT_EQ(list.lines, expected);
}

TEST_F(MemberListsTest, NumberedListReplacesThePrintTableWithTheYearsPayers)
{
    db->execute(QStringLiteral("INSERT INTO StampaSoci (Num, Cognome) VALUES (1, 'Vecchio')"));
    const auto verdi = addPerson({QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("7")});
    const auto bianchi = addPerson({QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("12")});
    addFee(verdi, QStringLiteral("2026"), 2500, QDate(2026, 3, 1), QStringLiteral("NIL"));
    addFee(bianchi, QStringLiteral("2026"), 2500, QDate(2026, 3, 1), QStringLiteral("Quota sociale"));
    addFee(bianchi, QStringLiteral("2025"), 2500);

    const auto list = lists::refillStampaSoci(*db, 2026);

    EXPECT_EQ(list.header, QStringLiteral("Num.\tTess.n.\tCognome e Nome"));
    EXPECT_EQ(list.lines, (QStringList{QStringLiteral("1\t00012\tBianchi Anna"), QStringLiteral("2\t00007\tVerdi Mario")}));
    QStringList rows;
    auto st = db->query(QStringLiteral("SELECT Num, Cognome, Nome, TessNumero, Note FROM StampaSoci ORDER BY Num"));
    while (st.next())
        rows << QStringList{st.text(0), st.text(1), st.text(2), st.text(3), st.text(4)}.join(u'|');
    EXPECT_EQ(rows, (QStringList{QStringLiteral("1|Bianchi|Anna|00012|Quota sociale"),
                                 QStringLiteral("2|Verdi|Mario|00007|NIL")}));
}

TEST_F(MemberListsTest, BirthdaysListRenewedConsentingMembersOfTheMonthsAndMarkTheRest)
{
    // Today is 9 December 2026: renewals of 2026 or 2025 count.
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 3"));
    struct Case {
        Person person;
        QString feeYear;
        qint64 addOK, anni;
        QString compleanno;
    };
    auto person = [](const char* cognome, const char* card, QDate born, bool mail = true) {
        Person p{QString::fromUtf8(cognome), QStringLiteral("Anna"), QString::fromUtf8(card), born};
        p.mailList = mail;
        return p;
    };
    const std::vector<Case> cases = {
        {person("Alfa", "00001", QDate(1980, 3, 15)), QStringLiteral("2026"), 2, 46, QStringLiteral("15/03/2026")},
        {person("Beta", "00002", QDate(1990, 4, 2)), QStringLiteral("2025"), 2, 36, QStringLiteral("02/04/2026")},
        {person("Gamma", "00003", QDate(1990, 3, 20)), QStringLiteral("2024"), 0, 0, QStringLiteral("0")},
        {person("Delta", "00004", QDate(1990, 3, 20), false), QStringLiteral("2026"), 0, 0, QStringLiteral("0")},
        {person("Epsilon", "00005", QDate(1970, 8, 10)), QStringLiteral("2026"), 1, 0, QStringLiteral("0")},
        // A card typed without its leading zeros still ties the person to the fee.
        {person("Zeta", "12", QDate(1985, 3, 1)), QStringLiteral("2026"), 2, 41, QStringLiteral("01/03/2026")},
    };
    std::vector<qint64> ids;
    for (const auto& c : cases) {
        ids.push_back(addPerson(c.person));
        addFee(ids.back(), c.feeYear, 2500);
    }
    db->execute(QStringLiteral("UPDATE TabellaNominativi SET Anni = 9, CodiceControllo2 = 4, Compleanno = 'x'"));

    const auto list = lists::birthdayList(*db, 3, 4, QDate(2026, 12, 9));

    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].person.cognome.toStdString());
        EXPECT_EQ(field(ids[i], QStringLiteral("AddOK")), cases[i].addOK);
        EXPECT_EQ(field(ids[i], QStringLiteral("Anni")), cases[i].anni);
        EXPECT_EQ(textField(ids[i], QStringLiteral("Compleanno")), cases[i].compleanno);
        EXPECT_EQ(field(ids[i], QStringLiteral("CodiceControllo2")), 0);
    }
    EXPECT_EQ(list.header, QStringLiteral("Tess.n.\tCognome       Nome                            Data Compleanno     Anni"));
    const QString anna = QStringLiteral("Anna");
    EXPECT_EQ(list.lines, (QStringList{
        QStringLiteral("00012\t") + feeListName(QStringLiteral("Zeta"), anna) + QStringLiteral("\t01/03/2026\t41"),
        QStringLiteral("00001\t") + feeListName(QStringLiteral("Alfa"), anna) + QStringLiteral("\t15/03/2026\t46"),
        QStringLiteral("00002\t") + feeListName(QStringLiteral("Beta"), anna) + QStringLiteral("\t02/04/2026\t36"),
    }));

    // A start month after the end month lists nobody and leaves no birthday marked.
    EXPECT_TRUE(lists::birthdayList(*db, 4, 3, QDate(2026, 12, 9)).lines.isEmpty());
    auto count = db->query(QStringLiteral("SELECT COUNT(*) FROM TabellaNominativi WHERE Anni <> 0 OR AddOK = 2"));
    count.next();
    EXPECT_EQ(count.integer(0), 0);
}

} // namespace
} // namespace vb::test

namespace vb::test {
namespace {

// The birthday marks written as every person rewritten in three steps: zeros, 1 for the
// renewed consenting members, 2 with age and birthday for those born in the months; and
// their list read back from the marks.
QStringList birthdaysByFullRewrite(db::Database& db, int fromMonth, int toMonth, int year)
{
    db.execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 0, CodiceControllo2 = 0, Anni = 0, Compleanno = '0'"));
    db.execute(QStringLiteral(
        "UPDATE TabellaNominativi SET AddOK = 1 "
        "WHERE AssensoTrattDatiPersonali <> 0 AND AssensoFotoVideoWeb <> 0 AND AssensoMailList <> 0 "
        "AND CodNom IN (SELECT CodNom FROM RegistroQuoteSoci WHERE Anno IN (?, ?))"),
        {QString::number(year), QString::number(year - 1)});
    db.execute(QStringLiteral(
        "UPDATE TabellaNominativi SET AddOK = 2, Anni = ? - CAST(strftime('%Y', IL) AS INTEGER), "
        "Compleanno = strftime('%d/%m/', IL) || ? "
        "WHERE AddOK = 1 AND CAST(strftime('%m', IL) AS INTEGER) BETWEEN ? AND ?"),
        {year, QString::number(year), fromMonth, toMonth});
    QStringList lines;
    auto st = db.query(QStringLiteral(
        "SELECT NumTessera, Cognome, Nome, Compleanno, Anni FROM TabellaNominativi WHERE AddOK = 2 "
        "ORDER BY strftime('%m', IL), strftime('%d', IL), strftime('%Y', IL), Cognome, Nome, CodNom"));
    while (st.next())
        lines << fmt::text(st.text(0), QStringLiteral("00000")) + u'\t' + feeListName(st.text(1), st.text(2)) + u'\t'
                + st.text(3) + u'\t' + QString::number(st.integer(4));
    return lines;
}

// Writing only the persons whose marks change leaves the same marks and lists the same
// lines as rewriting every person, whatever the marks held before; run again, it writes
// nothing.
TEST_F(MemberListsTest, BirthdaysWriteOnlyChangedMarksWithTheResultOfAFullRewrite)
{
    addVariedRegistry(2026);
    const std::pair<int, int> ranges[] = {{3, 4}, {1, 12}, {4, 3}, {12, 12}, {3, 4}};
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(QStringLiteral("%1-%2").arg(from).arg(to).toStdString());
        QStringList expectedMarks, expectedLines;
        {
            db::Transaction undo(*db); // rolled back
            expectedLines = birthdaysByFullRewrite(*db, from, to, 2026);
            expectedMarks = marks();
        }
        const auto list = lists::birthdayList(*db, from, to, QDate(2026, 12, 9));
        EXPECT_EQ(marks(), expectedMarks);
        EXPECT_EQ(list.lines, expectedLines);
        EXPECT_GT(list.written, 0);
        const auto again = lists::birthdayList(*db, from, to, QDate(2026, 12, 9));
        EXPECT_EQ(again.written, 0);
        EXPECT_EQ(again.lines, expectedLines);
        db->execute(QStringLiteral("UPDATE TabellaNominativi SET AddOK = 3 WHERE CodNom % 4 = 0"));
    }
}

} // namespace
} // namespace vb::test
