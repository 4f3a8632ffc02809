#include "data/DataEnvironment.h"

#include "core/ArchiveConnection.h"

#include <sqlite3.h>

namespace vb::data {

void ReportConnection::Open(const QString& dataSource)
{
    const QString source = dataSource.isEmpty() ? m_lastSource : dataSource;
    if (source.isEmpty())
        throw db::Error(QStringLiteral("Archivio dei report non indicato."));
    const QString key = readArchiveSettings().pwd_conn;
    m_idle.clear();
    ++m_generation;
    m_db = db::Database::open(source, key);
    m_lastSource = source;
    m_key = key;
    if (m_changed)
        m_changed();
}

void ReportConnection::Close()
{
    m_db.reset();
    m_idle.clear();
    ++m_generation;
    if (m_changed)
        m_changed();
}

db::Database& ReportConnection::database()
{
    if (!m_db)
        throw db::Error(QStringLiteral("La connessione dei report non è aperta."));
    return *m_db;
}

ReadSnapshot ReportConnection::takeSnapshot()
{
    database(); // throws when closed
    ReadSnapshot s;
    s.generation = m_generation;
    if (!m_idle.empty()) {
        s.db = std::move(m_idle.back());
        m_idle.pop_back();
    } else {
        s.db = db::Database::open(m_db->path(), m_key);
    }
    // The first read takes the shared lock that holds the rows as they are now.
    s.db->execute(QStringLiteral("BEGIN"));
    s.db->query(QStringLiteral("SELECT count(*) FROM sqlite_master")).next();
    return s;
}

void ReportConnection::releaseSnapshot(ReadSnapshot snapshot)
{
    if (!snapshot.db)
        return;
    snapshot.endReads();
    if (snapshot.generation == m_generation && m_db)
        m_idle.push_back(std::move(snapshot.db));
}

bool ReportConnection::snapshotsOnWorkerThreads() { return sqlite3_threadsafe() != 0; }

void ReadSnapshot::endReads()
{
    if (!db || !db->inTransaction())
        return;
    try {
        db->execute(QStringLiteral("ROLLBACK"));
    } catch (const db::Error&) {
        db.reset(); // a connection that cannot end its reads is not used again
    }
}

DataEnvironment1::DataEnvironment1()
{
    m_connection.m_changed = [this] { CloseAll(); };
}

const NamedCommand& DataEnvironment1::command(const QString& name) const
{
    for (const auto& c : namedCommands())
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    throw db::Error(QStringLiteral("Comando %1 non trovato nell'ambiente dati.").arg(name));
}

bool DataEnvironment1::hasCommand(const QString& name) const
{
    for (const auto& c : namedCommands())
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

RecordSet& DataEnvironment1::Recordset(const QString& name) { return m_recordsets[command(name).name]; }

const Rows& DataEnvironment1::Open(const QString& name)
{
    const NamedCommand& c = command(name);
    RecordSet& rs = m_recordsets[c.name];
    if (rs.State() == 1)
        return rs.rows();
    rs.setRows(c.run(m_connection.database()));
    return rs.rows();
}

void DataEnvironment1::CloseAll()
{
    for (auto& [name, rs] : m_recordsets)
        rs.Close();
}

DataEnvironment1& DataEnvironment1::instance()
{
    static DataEnvironment1 env;
    return env;
}

} // namespace vb::data
