#include "data/DataEnvironment.h"

#include "core/ArchiveConnection.h"

namespace vb::data {

void ReportConnection::Open(const QString& dataSource)
{
    const QString source = dataSource.isEmpty() ? m_lastSource : dataSource;
    if (source.isEmpty())
        throw db::Error(QStringLiteral("Archivio dei report non indicato."));
    m_db = db::Database::open(source, readArchiveSettings().pwd_conn);
    m_lastSource = source;
    if (m_changed)
        m_changed();
}

void ReportConnection::Close()
{
    m_db.reset();
    if (m_changed)
        m_changed();
}

db::Database& ReportConnection::database()
{
    if (!m_db)
        throw db::Error(QStringLiteral("La connessione dei report non è aperta."));
    return *m_db;
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
    db::Database& db = m_connection.database();
    rs.setRows(c.kind == NamedCommand::Kind::Shape ? runShape(db, c.shape) : runQuery(db, c.name, c.sql()));
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
