#include "data/NewDatabase.h"

#include "core/Database.h"

#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

// The schema lives in a resource of this static library; it must be registered by name
// from the global namespace.
static void initDataResources() { Q_INIT_RESOURCE(data); }

namespace vb::data {
namespace {

QString resourceText(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly))
        throw db::Error(QStringLiteral("Risorsa mancante: %1").arg(name));
    return QString::fromUtf8(f.readAll());
}

} // namespace

void createDatabase(const QString& path, const QString& key)
{
    initDataResources();
    const QString schema = resourceText(QStringLiteral(":/data/schema.sql"));
    const QString seed = resourceText(QStringLiteral(":/data/seed.sql"));
    auto db = db::Database::open(path, key, db::Database::Mode::Create);
    try {
        db->executeScript(QStringLiteral("PRAGMA journal_mode = WAL;"));
        db::Transaction tx(*db);
        db->executeScript(schema);
        db->executeScript(seed);
        upgradeArchive(*db);
        tx.commit();
    } catch (...) {
        // A half-made archive is no archive: remove it so that the next try starts clean.
        db.reset();
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QString::fromLatin1(suffix));
        throw;
    }
}

void upgradeArchive(db::Database& db)
{
    initDataResources();
    QStringList present;
    {
        auto st = db.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
        while (st.next())
            present << st.text(0);
    }
    const QString create = QStringLiteral("CREATE INDEX ");
    QStringList missing;
    for (const QString& line : resourceText(QStringLiteral(":/data/schema.sql")).split(u'\n')) {
        if (line.startsWith(create) && !present.contains(line.mid(create.size()).section(u' ', 0, 0), Qt::CaseInsensitive))
            missing << line;
    }
    bool hasKeys = false;
    auto columns = db.query(QStringLiteral("PRAGMA table_info(TabellaNominativi)"));
    while (columns.next())
        hasKeys = hasKeys || columns.text(1) == QStringLiteral("ChiaveCognome");
    // An archive that lacks nothing is not written to.
    if (missing.isEmpty() && hasKeys)
        return;
    db::Transaction tx(db);
    for (const QString& statement : missing)
        db.executeScript(statement);
    if (!hasKeys)
        db.executeScript(resourceText(QStringLiteral(":/data/keys.sql")));
    tx.commit();
}

QStringList tableNames()
{
    initDataResources();
    static const QRegularExpression table(QStringLiteral("CREATE TABLE (\\w+)"));
    QStringList names;
    for (const auto& m : table.globalMatch(resourceText(QStringLiteral(":/data/schema.sql"))))
        names << m.captured(1);
    return names;
}

QString newRawKey()
{
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), 8);
    return QStringLiteral("x'") + QString::fromLatin1(bytes.toHex().toUpper()) + QStringLiteral("'");
}

} // namespace vb::data
