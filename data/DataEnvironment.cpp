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
}

void ReportConnection::Close() { m_db.reset(); }

db::Database& ReportConnection::database()
{
    if (!m_db)
        throw db::Error(QStringLiteral("La connessione dei report non è aperta."));
    return *m_db;
}

DataEnvironment1& DataEnvironment1::instance()
{
    static DataEnvironment1 env;
    return env;
}

} // namespace vb::data
