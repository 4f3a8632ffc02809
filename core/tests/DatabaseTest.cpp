#include "core/ArchiveConnection.h"
#include "core/Database.h"
#include "tests/support/TestSupport.h"

#include <QFile>

using namespace vb;

namespace {

ArchiveSettings settingsOf(const test::ProgramFolder& f)
{
    ArchiveSettings s;
    s.prov_conn = kArchiveProvider;
    s.ip_conn = f.path() + QLatin1Char('/');
    s.db_conn = QStringLiteral("archivio.db");
    s.uid_conn = QStringLiteral("Admin");
    s.pwd_conn = test::ProgramFolder::key();
    return s;
}

QString failureOf(const QString& cs)
{
    try {
        openConnection(cs);
    } catch (const db::Error& e) {
        return e.description();
    }
    return QString();
}

} // namespace

TEST(ArchiveConnection, OpensFromTheSettingsOfAggIni)
{
    test::ProgramFolder folder;
    ArchiveConnection c = OpenArchiveConnection();
    EXPECT_EQ(c.settings.databasePath(), folder.databasePath());
    EXPECT_EQ(connectionString(c.settings),
              QStringLiteral("Provider=Vellumbra.SQLCipher;Data Source=%1;User ID=Admin;Persist Security Info=True;"
                             "Jet OLEDB:Database Password=%2")
                  .arg(folder.databasePath(), test::ProgramFolder::key()));
    EXPECT_EQ(LoadIntestazione(*c.db), QStringLiteral("Associazione - Sezione locale"));
}

TEST(ArchiveConnection, FailsCleanlyAndNeverMakesAFile)
{
    test::ProgramFolder folder;
    ArchiveSettings s = settingsOf(folder);

    ArchiveSettings wrongKey = s;
    wrongKey.pwd_conn = QStringLiteral("x'FF112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF'");
    EXPECT_TRUE(failureOf(connectionString(wrongKey)).contains(QStringLiteral("password è errata")));

    ArchiveSettings passphrase = s;
    passphrase.pwd_conn = QStringLiteral("una frase; qualsiasi");
    EXPECT_TRUE(failureOf(connectionString(passphrase)).contains(QStringLiteral("password è errata")));

    ArchiveSettings missing = s;
    missing.db_conn = QStringLiteral("manca.db");
    EXPECT_TRUE(failureOf(connectionString(missing)).startsWith(QStringLiteral("Archivio non trovato")));
    EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("/manca.db")));

    ArchiveSettings provider = s;
    provider.prov_conn = QStringLiteral("p");
    EXPECT_TRUE(failureOf(connectionString(provider)).startsWith(QStringLiteral("Provider dell'archivio sconosciuto")));

    QFile notDb(folder.path() + QStringLiteral("/testo.db"));
    notDb.open(QIODevice::WriteOnly);
    notDb.write(QByteArray(4096, 'x'));
    notDb.close();
    ArchiveSettings text = s;
    text.db_conn = QStringLiteral("testo.db");
    EXPECT_TRUE(failureOf(connectionString(text)).contains(QStringLiteral("non è un archivio valido")));
}

TEST(ArchiveConnection, MissingHeadingRowFails)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("DELETE FROM Impostazioni"));
    EXPECT_THROW(LoadIntestazione(*db), db::Error);
}

TEST(Database, ApostrophesAndAccentsRoundTrip)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome) VALUES (?, ?)"),
                {QStringLiteral("D'Amico"), QStringLiteral("Niccolò")});
    auto st = db->query(QStringLiteral("SELECT Nome FROM TabellaNominativi WHERE Cognome = ?"), {QStringLiteral("d'amico")});
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.text(QStringLiteral("Nome")), QStringLiteral("Niccolò"));
}

TEST(Database, KeysAreNotReusedAfterADelete)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Importo) VALUES (1)"));
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Importo) VALUES (2)"));
    const qint64 last = db->lastInsertId();
    db->execute(QStringLiteral("DELETE FROM LibroCassa WHERE ID_LibroCassa = ?"), {last});
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Importo) VALUES (3)"));
    EXPECT_EQ(db->lastInsertId(), last + 1);
}

TEST(Database, TransactionRollsBackWhenNotCommitted)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    {
        db::Transaction tx(*db);
        db->execute(QStringLiteral("INSERT INTO StampaSoci (Num) VALUES (1)"));
        {
            db::Transaction inner(*db);
            db->execute(QStringLiteral("INSERT INTO StampaSoci (Num) VALUES (2)"));
        }
        tx.commit();
    }
    auto st = db->query(QStringLiteral("SELECT count(*), sum(Num) FROM StampaSoci"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer(0), 1);
    {
        db::Transaction tx(*db);
        db->execute(QStringLiteral("DELETE FROM StampaSoci"));
    }
    auto again = db->query(QStringLiteral("SELECT count(*) FROM StampaSoci"));
    ASSERT_TRUE(again.next());
    EXPECT_EQ(again.integer(0), 1);
}

TEST(Database, DatesTimesAndMoneyAreStoredExactly)
{
    test::ProgramFolder folder;
    auto db = folder.open();
    db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, DataIn, OraIn) VALUES (?, ?, ?)"),
                {QStringLiteral("Rossi"), QDate(2026, 12, 9), QTime(10, 7, 0)});
    db->execute(QStringLiteral("INSERT INTO LibroCassa (Importo) VALUES (?), (?)"),
                {Money::fromCents(10), Money::fromCents(20)});
    auto st = db->query(QStringLiteral("SELECT DataIn, OraIn FROM TabellaRegistroAccessi"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.text(0), QStringLiteral("2026-12-09"));
    EXPECT_EQ(st.date(0), QDate(2026, 12, 9));
    EXPECT_EQ(st.time(1), QTime(10, 7, 0));
    auto sum = db->query(QStringLiteral("SELECT sum(Importo) FROM LibroCassa"));
    ASSERT_TRUE(sum.next());
    EXPECT_EQ(sum.money(0), Money::fromCents(30));
}

TEST(Database, RunsOnSqlCipher)
{
    EXPECT_FALSE(db::Database::cipherVersion().isEmpty());
}
