#pragma once

#include "core/Database.h"

#include <QString>

#include <memory>

namespace vb::data {

// The shared connection of the reports. It reaches the same archive as the windows, with
// the key of "agg.ini".
class ReportConnection {
public:
    // 0 closed, 1 open.
    int State() const { return m_db ? 1 : 0; }
    // Opens the archive at |dataSource| (a file path); an empty text reuses the path given
    // at the last open. Throws db::Error.
    void Open(const QString& dataSource = QString());
    void Close();
    // The open archive; throws db::Error when closed.
    db::Database& database();

private:
    std::unique_ptr<db::Database> m_db;
    QString m_lastSource;
};

// The program-wide data environment from which every report draws its rows.
class DataEnvironment1 {
public:
    static DataEnvironment1& instance();

    ReportConnection& Connection1() { return m_connection; }

private:
    DataEnvironment1() = default;
    ReportConnection m_connection;
};

} // namespace vb::data
