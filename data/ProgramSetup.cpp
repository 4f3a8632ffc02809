#include "data/ProgramSetup.h"

#include "core/ArchiveConnection.h"
#include "core/Cini.h"
#include "core/Database.h"
#include "core/Error.h"
#include "core/PrivateFile.h"
#include "core/ProfileFile.h"
#include "data/NewDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <optional>

namespace vb::data {
namespace {

// The files SQLite keeps beside an open archive, and the writers' turn file.
const QStringList kJournalFiles = {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")};
const QStringList kSideFiles = kJournalFiles + QStringList{QStringLiteral("-turni")};

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

void removeWithSideFiles(const QString& path)
{
    QFile::remove(path);
    for (const QString& suffix : kSideFiles)
        QFile::remove(path + suffix);
}

// What stands at the archive's place. An interrupted set-up can leave only an archive
// that holds nothing: a file of 0 bytes, or one that opens with the key and has no table.
enum class Found { Missing, HoldsNothing, Whole, KeyUnknown, Refused };

struct Inspection {
    Found found = Found::Missing;
    QString why; // for Refused
};

Inspection inspect(const QString& path, const std::optional<QString>& key)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {Found::Missing, QString()};
    if (info.isFile() && info.size() == 0)
        return {Found::HoldsNothing, QString()};
    if (!key)
        return {Found::KeyUnknown, QString()};
    try {
        auto db = db::Database::open(path, *key);
        auto st = db->query(QStringLiteral("SELECT count(*), sum(name = 'Impostazioni') FROM sqlite_master"));
        st.next();
        if (st.integer(0) == 0)
            return {Found::HoldsNothing, QString()};
        if (st.integer(1) == 0)
            return {Found::Refused, QStringLiteral("non è un archivio del programma")};
        return {Found::Whole, QString()};
    } catch (const db::Error& e) {
        return {Found::Refused, e.description()};
    }
}

[[noreturn]] void refuse(const QString& folder, const QString& what)
{
    throw Error(QStringLiteral("Cartella del programma %1 incompleta: %2 Nulla è stato modificato.").arg(shown(folder), what));
}

} // namespace

QStringList prepareProgramFolder(const QString& folderArg, const QByteArray& logoPng)
{
    QDir folder(folderArg);
    if (!folder.mkpath(QStringLiteral(".")))
        throw Error(QStringLiteral("Impossibile creare la cartella del programma %1.").arg(shown(folderArg)));
    const QString dir = QDir::cleanPath(folder.absolutePath()) + QLatin1Char('/');
    const QString iniPath = dir + QStringLiteral("agg.ini");
    QStringList made;

    const QFileInfo iniInfo(iniPath);
    if (iniInfo.exists()) {
        QFile f(iniPath);
        if (!iniInfo.isFile() || !f.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Il file delle impostazioni %1 non si può leggere: controllarne i permessi e "
                                       "rieseguire la preparazione.")
                            .arg(shown(iniPath)));
    }
    Cini ini;
    ini.setFileName(iniPath);
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    // A key counts when it holds a value; a set-up killed between two saves of the former
    // kind left some keys out.
    auto present = [&](const char* key) {
        return !profile::findString("db_remoto", key, iniPath).value_or(QByteArray()).trimmed().isEmpty();
    };
    auto valueOr = [&](const char* key, const QString& fallback) {
        return present(key) ? ini.GetValue(QString::fromLatin1(key), QStringLiteral("p")) : fallback;
    };

    const QString archivePath = valueOr("ip_conn", dir) + valueOr("db_conn", kArchiveFileName);
    // What a build killed before its end left under the temporary name holds nothing.
    const QString buildingPath = archivePath + QStringLiteral(".nuovo");
    removeWithSideFiles(buildingPath);

    std::optional<QString> key;
    if (present("pwd_conn"))
        key = ini.GetValue(QStringLiteral("pwd_conn"), QStringLiteral("p"));
    const Inspection archive = inspect(archivePath, key);
    if (archive.found == Found::KeyUnknown)
        refuse(dir, QStringLiteral("l'archivio %1 esiste, ma il file agg.ini che ne conserva la chiave (pwd_conn) manca o "
                                   "non la contiene, e senza la chiave l'archivio non si può aprire. Rimettere al suo "
                                   "posto il file agg.ini originale; se invece l'archivio viene da una preparazione "
                                   "interrotta e non contiene dati, eliminarlo e rieseguire la preparazione.")
                        .arg(shown(archivePath)));
    if (archive.found == Found::Refused)
        refuse(dir, QStringLiteral("l'archivio %1 non si apre con la chiave del file agg.ini (%2) Rimettere al suo posto "
                                   "il file agg.ini originale dell'archivio; se invece l'archivio non contiene dati, "
                                   "eliminarlo e rieseguire la preparazione.")
                        .arg(shown(archivePath), archive.why));
    const bool makeArchive = archive.found != Found::Whole;

    // agg.ini first, whole and in one save, so that the key is on the disk before the
    // archive it opens.
    QList<std::pair<QString, QString>> missing;
    auto complete = [&](const char* name, const QString& value) {
        if (!present(name))
            missing.append({QString::fromLatin1(name), value});
    };
    complete("tipo_conn", QStringLiteral("sqlcipher"));
    complete("prov_conn", kArchiveProvider);
    complete("ip_conn", dir);
    complete("uid_conn", QStringLiteral("Admin"));
    complete("pwd_conn", key.value_or(newRawKey()));
    complete("db_conn", kArchiveFileName);
    complete("logo_conn", dir + QStringLiteral("logo.png"));
    if (makeArchive)
        complete("Cod_Int", QStringLiteral("1")); // a new archive asks for the association heading
    if (!missing.isEmpty()) {
        if (!ini.SetValues(missing))
            throw Error(QStringLiteral("Impossibile scrivere il file delle impostazioni %1: controllare i permessi della "
                                       "cartella e lo spazio sul disco, poi rieseguire la preparazione.")
                            .arg(shown(iniPath)));
        made << shown(iniPath);
    }

    if (makeArchive) {
        // Built under a temporary name and renamed when complete: the archive's own name
        // never stands on a half-made file.
        removeWithSideFiles(archivePath);
        createDatabase(buildingPath, ini.GetValue(QStringLiteral("pwd_conn"), QStringLiteral("p")));
        QFile::remove(buildingPath + QStringLiteral("-turni"));
        for (const QString& suffix : kJournalFiles) {
            if (QFileInfo::exists(buildingPath + suffix))
                throw Error(QStringLiteral("L'archivio nuovo %1 non è stato chiuso del tutto: rieseguire la preparazione.")
                                .arg(shown(buildingPath)));
        }
        if (std::rename(QFile::encodeName(buildingPath).constData(), QFile::encodeName(archivePath).constData()) != 0)
            throw Error(QStringLiteral("Impossibile dare all'archivio il nome %1: %2.")
                            .arg(shown(archivePath), files::describeSystemError(errno)));
        files::syncFolder(QFileInfo(archivePath).absolutePath());
        made << shown(archivePath);
    }

    const QString logoPath = dir + QStringLiteral("logo.png");
    if (!QFileInfo::exists(logoPath) && !logoPng.isEmpty()) {
        QString why;
        if (!files::saveAtomically(logoPath, logoPng, &why))
            throw Error(QStringLiteral("Impossibile scrivere il logo %1: %2.").arg(shown(logoPath), why));
        made << shown(logoPath);
    }
    return made;
}

} // namespace vb::data
