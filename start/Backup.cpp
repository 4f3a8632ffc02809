#include "start/Backup.h"

#include "core/ArchiveConnection.h"
#include "core/Clock.h"
#include "core/Database.h"
#include "core/Error.h"
#include "core/MessageService.h"
#include "core/PrivateFile.h"
#include "data/DataEnvironment.h"
#include "start/BackupDestination.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>

#include <sqlite3.h>

namespace vb {
namespace {

const QString kFolderName = QStringLiteral("BackupRegArchivio");
const QString kTitle = QStringLiteral("Copia di salvataggio");

[[noreturn]] void fail(const QString& why)
{
    throw Error(QStringLiteral("Copia di salvataggio non riuscita: ") + why);
}

// The cause of a failed copy as the user must hear it: a write that fails is the
// destination's (full, protected, unplugged), not the archive's.
QString causeOf(const db::Error& e, const QString& folder)
{
    const QString where = QDir::toNativeSeparators(folder);
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("la cartella %1 non esiste più (l'unità di destinazione è stata scollegata?).").arg(where);
    // Failures of the archive itself (damaged, wrong key) are told as they are.
    switch (e.code()) {
    case SQLITE_FULL: return QStringLiteral("lo spazio sull'unità di destinazione (%1) è esaurito.").arg(where);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return QStringLiteral("impossibile scrivere nella cartella %1: l'unità è protetta dalla scrittura o mancano i "
                              "permessi.")
            .arg(where);
    case SQLITE_IOERR:
        return QStringLiteral("errore di scrittura sull'unità di destinazione (%1): l'unità non risponde o è stata "
                              "scollegata.")
            .arg(where);
    default: return e.description();
    }
}

// Writes a consistent copy of the open archive |source| to |target| (a new private file),
// encrypted with the same key, and checks that it opens and is whole. The first failure is
// the one raised: what is done to clean up after it never replaces it.
void writeSnapshot(const QString& source, const QString& key, const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
    {
        // The connection opens existing files only, so the copy starts as an empty file,
        // readable by its owner only like the archive.
        QString why;
        if (!files::createPrivate(target, &why))
            fail(QStringLiteral("impossibile scrivere nella cartella %1 (%2).").arg(QDir::toNativeSeparators(folder), why));
        std::unique_ptr<db::Database> db;
        try {
            db = db::Database::open(source, key);
            db->execute(QStringLiteral("ATTACH DATABASE ? AS backup KEY ?"), {target, key});
            db->executeScript(QStringLiteral("PRAGMA backup.cipher_page_size = 4096;"));
            // One read transaction, so that every table is copied as it stood at one moment
            // while other windows go on writing.
            db->executeScript(QStringLiteral("BEGIN;"));
            auto st = db->query(QStringLiteral("SELECT sqlcipher_export('backup')"));
            st.next();
            db->executeScript(QStringLiteral("COMMIT;"));
            db->executeScript(QStringLiteral("DETACH DATABASE backup;"));
        } catch (const db::Error& e) {
            if (db) {
                db->rollbackQuietly();
                sqlite3_exec(db->handle(), "DETACH DATABASE backup", nullptr, nullptr, nullptr);
            }
            fail(causeOf(e, folder));
        }
    }
    const QString notWhole = QStringLiteral("la copia scritta nella cartella %1 non è integra: ripetere la copia, "
                                            "eventualmente su un'altra unità.")
                                 .arg(QDir::toNativeSeparators(folder));
    try {
        auto copy = db::Database::open(target, key);
        auto check = copy->query(QStringLiteral("PRAGMA integrity_check"));
        if (!check.next() || check.text(0) != QStringLiteral("ok"))
            fail(notWhole);
    } catch (const db::Error& e) {
        fail(e.code() == SQLITE_CORRUPT || e.code() == SQLITE_NOTADB ? notWhole : causeOf(e, folder));
    }
}

void removeIfPresent(const QString& path)
{
    if (QFileInfo::exists(path))
        QFile::remove(path);
}

} // namespace

void CopiaArchivio(const QString& ip_conn, const QString& db_conn)
{
    const QString today = vb::today().toString(QStringLiteral("dd/MM/yyyy"));
    // The copy keeps the archive's own extension, so that the clean-up below removes the
    // earlier copies of this archive only.
    QString extension = QFileInfo(db_conn).suffix();
    if (extension.isEmpty())
        extension = QStringLiteral("mdb");
    const QString suffix = QStringLiteral(" ") + today.left(2) + QStringLiteral("-") + today.mid(3, 2)
        + QStringLiteral("-") + today.right(4) + QStringLiteral(".") + extension;

    // Without drive letters the box asks for a folder and offers to pick it.
    const bool driveLetters = backup::systemHasDriveLetters();
    const QString answer =
        messages().input({backup::destinationPrompt(driveLetters), kTitle, QString(), 7300, 4500, !driveLetters}).trimmed();
    if (answer.isEmpty())
        return;

    const backup::Destination dest = backup::destinationOf(answer, driveLetters);
    if (!dest.exists) {
        messages().beep();
        MsgBox(backup::missingDestinationMessage(dest, driveLetters), MsgButtons::Ok, MsgIcon::Exclamation,
               QStringLiteral("ATTENZIONE"));
        auto& connection = data::DataEnvironment1::instance().Connection1();
        if (connection.State() == 0)
            connection.Open(QString());
        return;
    }

    const QString folder = QDir(dest.root).filePath(kFolderName);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        fail(QStringLiteral("impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(folder)));

    const QString finalPath = QDir(folder).filePath(QStringLiteral("BackupRegArchivio al") + suffix);
    const QString tempPath = QDir(folder).filePath(QStringLiteral("BackupRegArchivio in corso.tmp"));
    removeIfPresent(tempPath);
    try {
        writeSnapshot(ip_conn + db_conn, readArchiveSettings().pwd_conn, tempPath);
    } catch (const Error&) {
        removeIfPresent(tempPath);
        removeIfPresent(tempPath + QStringLiteral("-journal"));
        throw;
    }

    // The new copy takes its final name in one step (replacing a copy of the same day);
    // only then go the earlier copies, so that the drive always holds a whole backup.
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tempPath).toStdString(), QFile::encodeName(finalPath).toStdString(), ec);
    if (ec) {
        removeIfPresent(tempPath);
        fail(QStringLiteral("impossibile rinominare la copia in %1 (%2).")
                 .arg(QDir::toNativeSeparators(finalPath), files::describeSystemError(ec.value())));
    }
    const QString finalName = QFileInfo(finalPath).fileName();
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files)) {
        if (f.fileName() != finalName && f.suffix().compare(extension, Qt::CaseInsensitive) == 0)
            QFile::remove(f.absoluteFilePath());
    }

    MsgBox(backup::successMessage(folder, driveLetters), MsgButtons::Ok, MsgIcon::Information,
           QStringLiteral("CONGRATULAZIONI"));
}

} // namespace vb
