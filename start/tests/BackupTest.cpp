#include "tests/support/TestSupport.h"

#include "core/Error.h"
#include "data/DataEnvironment.h"
#include "start/Backup.h"
#include "start/BackupDestination.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <atomic>
#include <thread>

namespace vb::test {
namespace {

const QString kPrompt = QStringLiteral(
    "Inserisci la lettera dell'unità di destinazione (pennetta,hd esterno ecc.)?\n"
    "\n"
    "INFO:\n"
    "Se non esiste sarà creata una cartella 'BackupSezORVE' \n"
    "All'interno di detta cartella sarà creato un file di backup con la relativa data di creazione.\n"
    "\n"
    "Premi il tato OK per continuare oppure Annulla per uscire");

class BackupTest : public AppTest {
protected:
    BackupTest()
    {
        QDir(folder.path()).mkdir(QStringLiteral("usb"));
        usb = QDir(folder.path()).filePath(QStringLiteral("usb"));
        backupFolder = QDir(usb).filePath(QStringLiteral("BackupRegArchivio"));
    }

    void backup(const QString& answer)
    {
        msgs.answerInput(answer);
        CopiaArchivio(folder.path() + u'/', QStringLiteral("archivio.db"));
    }
    QStringList files() const { return QDir(backupFolder).entryList(QDir::Files, QDir::Name); }
    QString copyPath(const char* day) const
    {
        return QDir(backupFolder).filePath(QStringLiteral("BackupRegArchivio al %1.db").arg(QString::fromUtf8(day)));
    }
    static qint64 count(db::Database& d, const QString& sql)
    {
        auto st = d.query(sql);
        st.next();
        return st.integer(0);
    }
    void addLogRow() { db->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Controllo) VALUES ('Rossi', 1)")); }

    QString usb;
    QString backupFolder;
};

TEST_F(BackupTest, AsksForTheDestinationAndAnEmptyAnswerDoesNothing)
{
    // Where drives have letters the box asks for one; here, with none, for the folder of
    // the drive, which it offers to pick; the rest of the question is the same.
    EXPECT_EQ(backup::destinationPrompt(true), kPrompt);
    ASSERT_FALSE(backup::systemHasDriveLetters());
    backup(QString());
    ASSERT_EQ(msgs.inputsShown.size(), 1u);
    const QString prompt = msgs.inputsShown[0].prompt;
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("Inserisci la cartella dell'unità di destinazione (pennetta,hd esterno "
                                                 "ecc.), ad esempio /media/usb, oppure sceglila con il pulsante "
                                                 "Sfoglia...?\n")))
        << prompt.toStdString();
    EXPECT_EQ(prompt.section(u'\n', 1), kPrompt.section(u'\n', 1));
    EXPECT_TRUE(msgs.inputsShown[0].browseFolder);
    EXPECT_EQ(msgs.inputsShown[0].title, QStringLiteral("Copia di salvataggio"));
    EXPECT_TRUE(msgs.inputsShown[0].defaultText.isEmpty());
    EXPECT_EQ(msgs.inputsShown[0].xTwips, 7300);
    EXPECT_EQ(msgs.inputsShown[0].yTwips, 4500);
    EXPECT_TRUE(msgs.shown.empty());
    EXPECT_FALSE(QFileInfo::exists(backupFolder));
}

TEST_F(BackupTest, TheFolderKeepsOneDatedCopyTheLatestOne)
{
    // Another file of the folder, not a copy of this archive, stays.
    QDir().mkpath(backupFolder);
    QFile other(QDir(backupFolder).filePath(QStringLiteral("appunti.mdb")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    backup(usb);
    ASSERT_EQ(msgs.shown.size(), 1u);
    EXPECT_EQ(msgs.last().text, QStringLiteral("Copia di salvataggio terminata ed effettuata con successo.\nLa copia è "
                                               "nella cartella ")
                                    + backupFolder + u'.');
    EXPECT_EQ(backup::successMessage(backupFolder, true),
              QStringLiteral("Copia di salvataggio terminata ed effettuata con successo."));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    EXPECT_EQ(msgs.last().title, QStringLiteral("CONGRATULAZIONI"));
    EXPECT_EQ(files(), (QStringList{QStringLiteral("BackupRegArchivio al 09-12-2026.db"), QStringLiteral("appunti.mdb")}));

    struct Step {
        QDate day;
        const char* name;
    };
    const Step steps[] = {{QDate(2026, 12, 9), "09-12-2026"}, {QDate(2027, 1, 4), "04-01-2027"}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        clock.set(QDateTime(s.day, QTime(18, 0, 0)));
        addLogRow();
        backup(usb);
        EXPECT_EQ(files(), (QStringList{QStringLiteral("BackupRegArchivio al %1.db").arg(QString::fromUtf8(s.name)),
                                        QStringLiteral("appunti.mdb")}));
        auto copy = db::Database::open(copyPath(s.name), ProgramFolder::key());
        EXPECT_EQ(count(*copy, QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi")),
                  count(*db, QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi")));
        EXPECT_EQ(count(*copy, QStringLiteral("SELECT count(*) FROM TabellaPass WHERE Username = 'Nimbo'")), 1);
    }
}

TEST_F(BackupTest, AMissingDestinationIsReportedAndTheReportsConnectionReopened)
{
    auto& connection = data::DataEnvironment1::instance().Connection1();
    // With no drive letters every answer is a folder: a letter, a relative path or a
    // folder that is not there names the folder asked for.
    struct Case {
        QString answer;
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("e"), QStringLiteral("e")},
        {QStringLiteral("/media/nessuna-pennetta"), QStringLiteral("/media/nessuna-pennetta")},
        {QStringLiteral("~/nessuna-pennetta"), QDir::homePath() + QStringLiteral("/nessuna-pennetta")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.toStdString());
        connection.Open(folder.databasePath());
        connection.Close();
        msgs.clear();
        const int beeps = msgs.beeps;
        backup(c.answer);
        ASSERT_EQ(msgs.shown.size(), 1u);
        EXPECT_EQ(msgs.last().text, QStringLiteral("Cartella - ") + c.shown
                                        + QStringLiteral(" - disco rigido o pennetta di destinazione inesistente! "
                                                         "Ripetere l'operazione dopo aver inserito la cartella di una "
                                                         "unità di destinazione valida (ad esempio /media/usb)."));
        EXPECT_EQ(msgs.last().icon, MsgIcon::Exclamation);
        EXPECT_EQ(msgs.last().title, QStringLiteral("ATTENZIONE"));
        EXPECT_EQ(msgs.beeps, beeps + 1);
        EXPECT_EQ(connection.State(), 1);
    }
    connection.Close();
    // Where drives have letters, a letter in lower case is named in capitals.
    EXPECT_EQ(backup::missingDestinationMessage(backup::destinationOf(QStringLiteral("e"), true), true),
              QStringLiteral("Unità - E - disco rigido o pennetta di destinazione inesistente! Ripetere l'operazione "
                             "dopo aver inserito una unità di destinazione valida."));
}

// Makes |dir| refuse new files, also for root (immutable flag); false when it cannot.
bool makeReadOnly(const QString& dir)
{
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(QDir(dir).filePath(QStringLiteral("prova.tmp")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir});
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            return false;
        }
    }
    return true;
}

void makeWritable(const QString& dir)
{
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir});
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(BackupTest, AFailedCopyReportsTheErrorAndKeepsTheEarlierCopy)
{
    backup(usb);
    const QString earlier = copyPath("09-12-2026");
    ASSERT_TRUE(QFileInfo::exists(earlier));
    clock.set(QDateTime(QDate(2026, 12, 10), QTime(9, 0, 0)));
    if (!makeReadOnly(backupFolder)) {
        makeWritable(backupFolder);
        GTEST_SKIP() << "the backup folder cannot be made read-only here";
    }
    msgs.clear();
    try {
        backup(usb);
        ADD_FAILURE() << "a copy into a read-only folder must fail";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Copia di salvataggio non riuscita"))) << e.what();
    }
    makeWritable(backupFolder);
    EXPECT_TRUE(msgs.shown.empty()); // no success message
    EXPECT_EQ(files(), QStringList{QStringLiteral("BackupRegArchivio al 09-12-2026.db")});
    auto copy = db::Database::open(earlier, ProgramFolder::key());
    EXPECT_EQ(count(*copy, QStringLiteral("SELECT count(*) FROM TabellaPass")), 1);
}

TEST_F(BackupTest, ACopyTakenWhileAnotherConnectionWritesIsWholeAndConsistent)
{
    // Each write adds one row to two tables in one transaction: a consistent copy holds
    // as many of the one as of the other.
    std::atomic<bool> stop = false;
    std::atomic<int> written = 0;
    struct Joiner {
        std::atomic<bool>& stop;
        std::thread thread;
        ~Joiner() { stop = true; thread.join(); }
    };
    std::atomic<bool> writeFailed = false;
    Joiner writer{stop, std::thread([&] {
        try {
            auto other = folder.open();
            while (!stop) {
                db::Transaction t(*other);
                other->execute(QStringLiteral("INSERT INTO TabellaRegistroAccessi (Cognome, Controllo) VALUES ('W', 1)"));
                other->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome) VALUES ('W')"));
                t.commit();
                ++written;
            }
        } catch (const std::exception&) {
            writeFailed = true;
        }
    })};
    while (written < 20 && !writeFailed)
        std::this_thread::yield();
    for (int i = 0; i < 3; ++i)
        backup(usb);
    stop = true;
    EXPECT_FALSE(writeFailed);

    auto copy = db::Database::open(copyPath("09-12-2026"), ProgramFolder::key());
    auto check = copy->query(QStringLiteral("PRAGMA integrity_check"));
    ASSERT_TRUE(check.next());
    EXPECT_EQ(check.text(0), QStringLiteral("ok"));
    const qint64 log = count(*copy, QStringLiteral("SELECT count(*) FROM TabellaRegistroAccessi"));
    EXPECT_GE(log, 20);
    EXPECT_EQ(count(*copy, QStringLiteral("SELECT count(*) FROM TabellaNominativi")), log);
}

} // namespace
} // namespace vb::test
