#include "core/Backup.h"

#include "core/ArchiveConnection.h"
#include "core/Clock.h"
#include "core/Database.h"
#include "core/Error.h"
#include "core/MessageService.h"
#include "data/DataEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace vb {
namespace {

const QString kFolderName = QStringLiteral("BackupRegArchivio");
const QString kTitle = QStringLiteral("Copia di salvataggio");

QString prompt()
{
    return QStringList{
        QStringLiteral("Inserisci la lettera dell'unità di destinazione (pennetta,hd esterno ecc.)?"),
        QString(),
        QStringLiteral("INFO:"),
        QStringLiteral("Se non esiste sarà creata una cartella 'BackupSezORVE' "),
        QStringLiteral("All'interno di detta cartella sarà creato un file di backup con la relativa data di creazione."),
        QString(),
        QStringLiteral("Premi il tato OK per continuare oppure Annulla per uscire"),
    }.join(QLatin1Char('\n'));
}

// Where the answer points: the root of a drive letter, or a folder (a mounted drive)
// where the platform has no drive letters. |shown| is how the missing-destination message
// names it.
struct Destination {
    QString root;
    QString shown;
    bool exists = false;
};

Destination destinationOf(const QString& answer)
{
    Destination d;
    if (answer.size() == 1 && answer.at(0).isLetter()) {
        d.root = answer + QStringLiteral(":/");
        d.shown = answer.toUpper();
#ifdef Q_OS_WIN
        d.exists = QFileInfo(d.root).isDir();
#endif
        return d;
    }
    d.root = answer;
    d.shown = answer;
    d.exists = QFileInfo(answer).isDir();
    return d;
}

[[noreturn]] void fail(const QString& why)
{
    throw Error(QStringLiteral("Copia di salvataggio non riuscita: ") + why);
}

// Writes a consistent copy of the open archive |source| to |target| (a new file),
// encrypted with the same key, and checks that it opens and is whole.
void writeSnapshot(const QString& source, const QString& key, const QString& target)
{
    {
        // The connection opens existing files only, so the copy starts as an empty file.
        QFile empty(target);
        if (!empty.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fail(QStringLiteral("impossibile scrivere nella cartella %1 (%2).")
                     .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()), empty.errorString()));
        empty.close();
        auto db = db::Database::open(source, key);
        db->execute(QStringLiteral("ATTACH DATABASE ? AS backup KEY ?"), {target, key});
        try {
            db->executeScript(QStringLiteral("PRAGMA backup.cipher_page_size = 4096;"));
            // One read transaction, so that every table is copied as it stood at one moment
            // while other windows go on writing.
            db->executeScript(QStringLiteral("BEGIN;"));
            try {
                auto st = db->query(QStringLiteral("SELECT sqlcipher_export('backup')"));
                st.next();
                db->executeScript(QStringLiteral("COMMIT;"));
            } catch (...) {
                db->executeScript(QStringLiteral("ROLLBACK;"));
                throw;
            }
        } catch (...) {
            db->executeScript(QStringLiteral("DETACH DATABASE backup;"));
            throw;
        }
        db->executeScript(QStringLiteral("DETACH DATABASE backup;"));
    }
    auto copy = db::Database::open(target, key);
    auto check = copy->query(QStringLiteral("PRAGMA integrity_check"));
    const QString verdict = check.next() ? check.text(0) : QString();
    if (verdict != QStringLiteral("ok"))
        fail(QStringLiteral("la copia scritta non è integra (%1).").arg(verdict));
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

    const QString answer = InputBox(prompt(), kTitle, QString(), 7300, 4500).trimmed();
    if (answer.isEmpty())
        return;

    const Destination dest = destinationOf(answer);
    if (!dest.exists) {
        messages().beep();
        MsgBox(QStringLiteral("Unità - ") + dest.shown
                   + QStringLiteral(" - disco rigido o pennetta di destinazione inesistente! Ripetere l'operazione dopo "
                                    "aver inserito una unità di destinazione valida."),
               MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"));
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
    } catch (const Error& e) {
        removeIfPresent(tempPath);
        removeIfPresent(tempPath + QStringLiteral("-journal"));
        if (e.description().startsWith(QStringLiteral("Copia di salvataggio")))
            throw;
        fail(e.description());
    }

    // The new copy takes its final name in one step (replacing a copy of the same day);
    // only then go the earlier copies, so that the drive always holds a whole backup.
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tempPath).toStdString(), QFile::encodeName(finalPath).toStdString(), ec);
    if (ec) {
        removeIfPresent(tempPath);
        fail(QStringLiteral("impossibile rinominare la copia in %1.").arg(QDir::toNativeSeparators(finalPath)));
    }
    const QString finalName = QFileInfo(finalPath).fileName();
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files)) {
        if (f.fileName() != finalName && f.suffix().compare(extension, Qt::CaseInsensitive) == 0)
            QFile::remove(f.absoluteFilePath());
    }

    MsgBox(QStringLiteral("Copia di salvataggio terminata ed effettuata con successo."), MsgButtons::Ok,
           MsgIcon::Information, QStringLiteral("CONGRATULAZIONI"));
}

} // namespace vb
