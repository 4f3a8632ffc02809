#include "core/Database.h"
#include "data/ArchiveCheck.h"
#include "data/NewDatabase.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace vb;

namespace {

QString resource(const QString& name)
{
    data::tableNames(); // registers the resources
    QFile f(name);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

qint64 scalar(db::Database& db, const QString& sql, std::initializer_list<db::Param> params = {})
{
    auto st = db.query(sql, params);
    return st.next() ? st.integer(0) : -1;
}

} // namespace

TEST(ArchiveCheck, AnArchiveOfTheEarlierVersionGetsTheNameKeysAtStartUp)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vecchio.db"));
    const QString key = test::ProgramFolder::key();
    {
        // The tables as the earlier version made them, without the keys.
        auto old = db::Database::open(path, key, db::Database::Mode::Create);
        old->executeScript(resource(QStringLiteral(":/data/schema.sql")));
        old->executeScript(resource(QStringLiteral(":/data/seed.sql")));
        old->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome, IL) VALUES ('Cantù', 'Niccolò', '1978-05-16')"));
    }
    auto db = db::Database::open(path, key);
    data::checkArchiveAtStartup(*db);
    data::checkArchiveAtStartup(*db); // a second start finds it current
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT count(*) FROM TabellaNominativi WHERE ChiaveCognome = ? AND ChiaveNome = ?"),
                     {QStringLiteral("cantù"), QStringLiteral("niccolò")}),
              1);
    db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome) VALUES ('ÈGIDI', 'Ànna')"));
    EXPECT_EQ(scalar(*db, QStringLiteral("SELECT count(*) FROM TabellaNominativi WHERE ChiaveCognome = 'ègidi' AND ChiaveNome = 'ànna'")), 1);
}

// The keys need nothing of the program to be read: the sqlcipher command-line tool reads,
// sorts and checks the registry.
TEST(ArchiveCheck, TheCommandLineToolReadsAndChecksTheRegistry)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
    if (tool.isEmpty())
        GTEST_SKIP() << "no sqlcipher command-line tool";
    test::ProgramFolder folder;
    folder.open()->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Nome) VALUES ('Cantù', 'Niccolò')"));
    QProcess cli;
    cli.start(tool, {folder.databasePath()});
    cli.write(QStringLiteral("PRAGMA key = \"%1\";\nPRAGMA cipher_page_size = 4096;\n"
                             "SELECT Cognome, ChiaveCognome FROM TabellaNominativi ORDER BY ChiaveCognome;\n"
                             "PRAGMA integrity_check;\n")
                  .arg(test::ProgramFolder::key())
                  .toUtf8());
    cli.closeWriteChannel();
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()), QStringLiteral("Cantù|cantù\nok\n"));
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()), QString());
}
