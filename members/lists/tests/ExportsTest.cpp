#include "members/lists/Exports.h"

#include "members/lists/tests/ListsFixture.h"
#include "members/lists/tests/ZipReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vb::test {
namespace {

QList<QStringList> sheetOf(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {{QStringLiteral("cannot open ") + path}};
    QString error;
    const auto entries = readStoredZip(f.readAll(), &error);
    if (!error.isEmpty())
        return {{error}};
    return sheetCells(entries.value(QStringLiteral("xl/worksheets/sheet1.xml")));
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

TEST_F(ExportsTest, FeePayersAreWrittenWithAmountsAsNumbers)
{
    const auto verdi = addPerson({QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("7")});
    addFee(verdi, QStringLiteral("2026"), 2550, QDate(2026, 3, 1));
    addFee(verdi, QStringLiteral("2025"), 2000);

    const auto result = lists::exportFeePayers(*db, 2026, home.path());

    EXPECT_EQ(result.rows, 1);
    EXPECT_EQ(result.path, QDir(home.path()).filePath(QStringLiteral("Versamenti_soci_2026_2026-12-09.xlsx")));
    EXPECT_EQ(sheetOf(result.path), (QList<QStringList>{
        {QStringLiteral("Tess.n."), QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("Data Versamento"),
         QStringLiteral("Quota")},
        {QStringLiteral("00007"), QStringLiteral("Verdi"), QStringLiteral("Mario"), QStringLiteral("01/03/2026"),
         QStringLiteral("25.50")},
    }));
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

    const auto result = lists::exportMailingList(*db, 2026, home.path());

    EXPECT_EQ(QFileInfo(result.path).fileName(), QStringLiteral("Email_soci_2026_2026-12-09.xlsx"));
    EXPECT_EQ(sheetOf(result.path), (QList<QStringList>{
        {QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("E-mail")},
        {QStringLiteral("Alberti"), QStringLiteral("Anna"), QStringLiteral("primo@example.it")},
        {QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("anna@example.it")},
    }));
}

TEST_F(ExportsTest, NothingToExportWritesNoFile)
{
    const auto result = lists::exportFeePayers(*db, 2026, home.path());
    EXPECT_EQ(result.rows, 0);
    EXPECT_EQ(result.path, QString());
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
}

} // namespace
} // namespace vb::test
