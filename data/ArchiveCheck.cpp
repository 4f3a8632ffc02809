#include "data/ArchiveCheck.h"

#include "core/Database.h"
#include "data/NewDatabase.h"

#include <QDir>
#include <QSet>

#include <sqlite3.h>

namespace vb::data {
namespace {

[[noreturn]] void damaged(const db::Database& db)
{
    throw db::Error(db::describe(SQLITE_CORRUPT, QString(), db.path()), SQLITE_CORRUPT);
}

} // namespace

void checkArchiveAtStartup(db::Database& db)
{
    QSet<QString> present;
    auto tables = db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (tables.next())
        present.insert(tables.text(0));
    QStringList missing;
    for (const QString& name : tableNames()) {
        if (!present.contains(name))
            missing << name;
    }
    if (!missing.isEmpty())
        throw db::Error(QStringLiteral("L'archivio %1 non è un archivio completo del programma: mancano le tabelle %2. "
                                       "Controllare le chiavi ip_conn e db_conn del file agg.ini o ripristinare l'ultima "
                                       "copia di salvataggio.")
                            .arg(QDir::toNativeSeparators(db.path()), missing.join(QStringLiteral(", "))),
                        SQLITE_NOTADB);

    try {
        auto check = db.query(QStringLiteral("PRAGMA quick_check"));
        if (!check.next() || check.text(0) != QStringLiteral("ok"))
            damaged(db);
    } catch (const db::Error& e) {
        // A damaged page may also fail to decrypt; either way the archive is not whole.
        if (e.code() == SQLITE_CORRUPT || e.code() == SQLITE_NOTADB || e.code() == SQLITE_FORMAT)
            damaged(db);
        throw;
    }
    upgradeArchive(db);
}

} // namespace vb::data
