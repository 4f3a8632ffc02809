#include "core/ArchiveConnection.h"
#include "data/NewDatabase.h"
#include "start/Backup.h"
#include "start/tests/CoreWindowTest.h"
#include "tests/support/FaultyDisk.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <sqlite3.h>

namespace vb::test {
namespace {

const QString kOtherKey = QStringLiteral("x'FF112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF'");

// Every failure a user can meet shows its own cause, in Italian: the first error, never
// the English text of the archive library.
class FailureMessagesTest : public CoreWindowTest {
protected:
    ~FailureMessagesTest() override { db::Database::setBusyTimeoutMs(60000); }

    QString usbFolder() const { return QDir(folder.path()).filePath(QStringLiteral("usb")); }
    QString backupFolder() const { return QDir(usbFolder()).filePath(QStringLiteral("BackupRegArchivio")); }

    // The message the start-up window shows.
    QString startUp()
    {
        msgs.clear();
        showWindow(QStringLiteral("FormCopyraight"));
        WindowRegistry::instance().closeAll();
        processEvents();
        return msgs.shown.empty() ? QString() : msgs.last().text;
    }
    // What the backup reports (the window that runs it shows that text).
    QString backUp()
    {
        QDir().mkpath(backupFolder());
        msgs.answerInput(usbFolder());
        try {
            CopiaArchivio(folder.path() + u'/', QStringLiteral("archivio.db"));
        } catch (const Error& e) {
            return e.description();
        }
        return QString();
    }
    // What a window's save of several rows reports.
    static QString save()
    {
        try {
            ArchiveConnection c = OpenArchiveConnection();
            db::Transaction t(*c.db);
            for (int i = 0; i < 50; ++i)
                c.db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Controllo) VALUES (?, 1)"),
                              {QString(200, QLatin1Char('x'))});
            t.commit();
        } catch (const Error& e) {
            return e.description();
        }
        return QString();
    }

    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile f(QDir(folder.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    // An archive with many pages, all in the main file, with one page near its end spoilt.
    void damageADeepPage()
    {
        for (int i = 0; i < 400; ++i)
            db->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome, Note) VALUES (?, ?)"),
                        {QStringLiteral("Rossi%1").arg(i), QString(300, QLatin1Char('n'))});
        db->executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
        db.reset();
        QFile f(folder.databasePath());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GT(f.size(), 40 * 4096);
        f.seek(f.size() - 3 * 4096 + 1000);
        f.write(QByteArray(64, '\x55'));
    }
};

bool hasLibraryText(const QString& message)
{
    for (int code = 1; code <= 28; ++code) {
        if (message.contains(QString::fromUtf8(sqlite3_errstr(code)), Qt::CaseInsensitive))
            return true;
    }
    for (const char* english : {"no such", "rollback", "malformed", "database", "unable"})
        if (message.contains(QString::fromLatin1(english), Qt::CaseInsensitive))
            return true;
    return false;
}

TEST_F(FailureMessagesTest, EachFailureShowsItsOwnCauseInItalian)
{
    QList<std::pair<QString, QString>> settings;
    for (const char* key : {"tipo_conn", "prov_conn", "ip_conn", "uid_conn", "pwd_conn", "db_conn", "logo_conn", "Cod_Int"})
        settings.append({QString::fromLatin1(key), folder.ini(QString::fromLatin1(key))});
    const QString ini = QDir::toNativeSeparators(folder.iniPath());
    const QString archive = QDir::toNativeSeparators(folder.databasePath());
    const QString other = QDir::toNativeSeparators(QDir(folder.path()).filePath(QStringLiteral("altro.db")));
    struct Case {
        const char* failure;
        std::function<QString()> run;
        QStringList expected; // parts of the message
    };
    const Case cases[] = {
        {"settings file missing",
         [this] {
             QFile::remove(folder.iniPath());
             return startUp();
         },
         {QStringLiteral("Il file delle impostazioni %1 non esiste").arg(ini)}},
        {"settings file unreadable",
         [this] {
             QFile::remove(folder.iniPath());
             QDir().mkdir(folder.iniPath());
             return startUp();
         },
         {QStringLiteral("Il file delle impostazioni %1 non si può leggere").arg(ini)}},
        {"settings file of garbage",
         [this] {
             writeFile(QStringLiteral("agg.ini"), QByteArray("\x01\x02\xff garbage\n=\n[altro]\n"));
             return startUp();
         },
         {QStringLiteral("Il file delle impostazioni %1 è incompleto o danneggiato").arg(ini), QStringLiteral("pwd_conn")}},
        {"empty archive file",
         [this] {
             writeFile(QStringLiteral("altro.db"), QByteArray());
             folder.setIni(QStringLiteral("db_conn"), QStringLiteral("altro.db"));
             const QString shown = startUp();
             EXPECT_EQ(QFileInfo(QDir(folder.path()).filePath(QStringLiteral("altro.db"))).size(), 0); // left as it is
             return shown;
         },
         {QStringLiteral("Il file %1 non è un archivio valido del programma").arg(other)}},
        {"not an archive",
         [this] {
             writeFile(QStringLiteral("altro.db"), QByteArray(5000, 'x'));
             folder.setIni(QStringLiteral("db_conn"), QStringLiteral("altro.db"));
             return startUp();
         },
         {QStringLiteral("Il file %1 non è un archivio valido del programma").arg(other)}},
        {"wrong key",
         [this] {
             folder.setIni(QStringLiteral("pwd_conn"), kOtherKey);
             return startUp();
         },
         {QStringLiteral("Impossibile aprire l'archivio %1: la password è errata").arg(archive)}},
        {"archive without the program's tables",
         [this] {
             db::Database::open(QDir(folder.path()).filePath(QStringLiteral("altro.db")), ProgramFolder::key(),
                                db::Database::Mode::Create)
                 ->executeScript(QStringLiteral("CREATE TABLE Appunti (Testo TEXT);"));
             folder.setIni(QStringLiteral("db_conn"), QStringLiteral("altro.db"));
             return startUp();
         },
         {QStringLiteral("L'archivio %1 non è un archivio completo del programma").arg(other), QStringLiteral("Impostazioni")}},
        {"page damaged deep in the archive",
         [this] {
             damageADeepPage();
             return startUp();
         },
         {QStringLiteral("L'archivio %1 è danneggiato").arg(archive), QStringLiteral("copia di salvataggio")}},
        {"archive busy for longer than the time-out",
         [this] {
             db::Database::setBusyTimeoutMs(300);
             db::Transaction holding(*db);
             db->execute(QStringLiteral("INSERT INTO StampaSoci (Num) VALUES (1)"));
             return save();
         },
         {QStringLiteral("L'archivio è occupato")}},
        {"disk full while saving",
         [] {
             FaultyDisk disk(FaultyDisk::Fault::Full, QStringLiteral("archivio.db"));
             return save();
         },
         {QStringLiteral("Spazio su disco esaurito"), archive}},
        {"write-protected archive",
         [] {
             FaultyDisk disk(FaultyDisk::Fault::ReadOnly, QStringLiteral("archivio.db"));
             return save();
         },
         {QStringLiteral("L'archivio %1 è in sola lettura").arg(archive)}},
        {"disk full while copying",
         [this] {
             FaultyDisk disk(FaultyDisk::Fault::Full, QStringLiteral("in corso.tmp"));
             return backUp();
         },
         {QStringLiteral("Copia di salvataggio non riuscita: lo spazio sull'unità di destinazione"), QStringLiteral("è esaurito")}},
        {"drive unplugged while copying",
         [this] {
             const QString gone = backupFolder();
             FaultyDisk disk(FaultyDisk::Fault::Unplugged, QStringLiteral("in corso.tmp"),
                             [gone] { QDir(gone).removeRecursively(); });
             return backUp();
         },
         {QStringLiteral("Copia di salvataggio non riuscita: la cartella %1 non esiste più")
              .arg(QDir::toNativeSeparators(QDir(folder.path()).filePath(QStringLiteral("usb/BackupRegArchivio"))))}},
        {"archive damaged when copied",
         [this] {
             damageADeepPage();
             return backUp();
         },
         {QStringLiteral("Copia di salvataggio non riuscita: L'archivio %1 è danneggiato").arg(archive)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        // Each case on a fresh archive and agg.ini.
        db.reset();
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        data::createDatabase(folder.databasePath(), ProgramFolder::key());
        for (const auto& [key, value] : settings)
            folder.setIni(key, value);
        db = folder.open();
        msgs.clear();
        const QString message = c.run();
        for (const QString& part : c.expected)
            EXPECT_TRUE(message.contains(part)) << message.toStdString() << "\n  lacks: " << part.toStdString();
        EXPECT_FALSE(hasLibraryText(message)) << message.toStdString();
        db.reset();
    }
}

} // namespace
} // namespace vb::test
