#include "members/lists/Exports.h"

#include "members/lists/tests/ListsFixture.h"
#include "members/lists/tests/SheetReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vb::test {
namespace {

// The cells of the first sheet as "type:value" ("s" text, "n" number, dates as dd/mm/yyyy).
QList<QStringList> sheetOf(const QString& path)
{
    const auto sheet = readSheet(path);
    if (!sheet.error.isEmpty())
        return {{sheet.error}};
    if (sheet.name != QStringLiteral("foglio1"))
        return {{QStringLiteral("sheet ") + sheet.name}};
    QList<QStringList> rows;
    for (const auto& row : sheet.rows) {
        QStringList cells;
        for (const auto& cell : row) {
            const bool isDate = cell.type == u"n" && cell.numberFormat == u"dd/mm/yyyy";
            cells << cell.type + u':' + (isDate ? cell.date().toString(QStringLiteral("dd/MM/yyyy")) : cell.value);
        }
        rows << cells;
    }
    return rows;
}

class ExportsTest : public ListsTest {
protected:
    ExportsTest() : m_oldHome(qgetenv("HOME")) { qputenv("HOME", home.path().toUtf8()); }
    ~ExportsTest() override { qputenv("HOME", m_oldHome); }

    QTemporaryDir home;

private:
    QByteArray m_oldHome;
};

TEST_F(ExportsTest, DesktopIsUsedWhenItExistsElseHome)
{
    EXPECT_EQ(lists::desktopFolder(), home.path());
    QDir(home.path()).mkdir(QStringLiteral("Desktop"));
    EXPECT_EQ(lists::desktopFolder(), QDir(home.path()).filePath(QStringLiteral("Desktop")));
}

TEST_F(ExportsTest, FeePayersAreWrittenWithDatesAsDatesAndAmountsAsNumbers)
{
    const auto verdi = addPerson({QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("7")});
    addFee(verdi, QStringLiteral("2026"), 2550, QDate(2026, 3, 1));
    addFee(verdi, QStringLiteral("2025"), 2000);
    addFee(addPerson({QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("3")}), QStringLiteral("2026"), 2000,
           QDate());

    const auto result = lists::exportFeePayers(*db, 2026, home.path(), today());

    EXPECT_EQ(result.rows, 2);
    EXPECT_EQ(result.path, QDir(home.path()).filePath(QStringLiteral("Versamenti_soci_2026_2026-12-09.xlsx")));
    EXPECT_EQ(sheetOf(result.path), (QList<QStringList>{
        {QStringLiteral("s:Tess.n."), QStringLiteral("s:Cognome"), QStringLiteral("s:Nome"),
         QStringLiteral("s:Data Versamento"), QStringLiteral("s:Quota")},
        {QStringLiteral("s:00003"), QStringLiteral("s:Bianchi"), QStringLiteral("s:Anna"), QStringLiteral(":"),
         QStringLiteral("n:20")}, // no payment date: an empty cell
        {QStringLiteral("s:00007"), QStringLiteral("s:Verdi"), QStringLiteral("s:Mario"), QStringLiteral("n:01/03/2026"),
         QStringLiteral("n:25.5")},
    }));
    EXPECT_EQ(readSheet(result.path).widths.size(), 5) << "every column gets a width";
}

TEST_F(ExportsTest, MailingListHoldsPayingMembersWhoConsentAndHaveAnAddress)
{
    struct Case {
        const char* cognome;
        qint64 cents;
        bool mailList;
        const char* email;
    };
    const Case cases[] = {
        {"Bianchi", 2500, true, "anna@example.it"},
        {"Rossi", 0, true, "zero@example.it"},
        {"Neri", 2500, false, "noconsent@example.it"},
        {"Gialli", 2500, true, "Non disponibile"},
        {"Alberti", 2500, true, " primo@example.it "},
    };
    for (const auto& c : cases) {
        Person p{QString::fromUtf8(c.cognome), QStringLiteral("Anna")};
        p.mailList = c.mailList;
        p.email = QString::fromUtf8(c.email);
        addFee(addPerson(p), QStringLiteral("2026"), c.cents);
    }

    const auto result = lists::exportMailingList(*db, 2026, home.path(), today());

    EXPECT_EQ(QFileInfo(result.path).fileName(), QStringLiteral("Email_soci_2026_2026-12-09.xlsx"));
    EXPECT_EQ(sheetOf(result.path), (QList<QStringList>{
        {QStringLiteral("s:Cognome"), QStringLiteral("s:Nome"), QStringLiteral("s:E-mail")},
        {QStringLiteral("s:Alberti"), QStringLiteral("s:Anna"), QStringLiteral("s:primo@example.it")},
        {QStringLiteral("s:Bianchi"), QStringLiteral("s:Anna"), QStringLiteral("s:anna@example.it")},
    }));
}

TEST_F(ExportsTest, NothingToExportWritesNoFile)
{
    const auto result = lists::exportFeePayers(*db, 2026, home.path(), today());
    EXPECT_EQ(result.rows, 0);
    EXPECT_EQ(result.path, QString());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
}

} // namespace
} // namespace vb::test
