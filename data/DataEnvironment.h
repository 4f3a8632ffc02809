#pragma once

#include "core/Database.h"
#include "data/NamedCommands.h"
#include "data/RecordSet.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace vb::data {

// A further connection to the report archive for one worker thread, taken with a read
// transaction open: its queries see the rows committed when it was taken, whatever is
// written after. Use it from one thread at a time.
struct ReadSnapshot {
    std::unique_ptr<db::Database> db;
    quint64 generation = 0; // of the report connection when it was taken

    // Ends the read transaction (on the thread that used it); never throws.
    void endReads();
};

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

    // A snapshot of the open archive for a worker thread; throws db::Error when closed.
    ReadSnapshot takeSnapshot();
    // Takes back a snapshot whose reads are done; its connection serves the next snapshot
    // unless the archive was closed or opened again meanwhile.
    void releaseSnapshot(ReadSnapshot snapshot);
    // Whether the archive library lets a connection be used from another thread (one
    // thread at a time); when not, snapshots are read on the thread that took them.
    static bool snapshotsOnWorkerThreads();
    // Changes at every open and close: a snapshot of another generation reads an old archive.
    quint64 generation() const { return m_generation; }

private:
    friend class DataEnvironment1;
    std::unique_ptr<db::Database> m_db;
    QString m_lastSource;
    QString m_key;
    quint64 m_generation = 0;
    std::vector<std::unique_ptr<db::Database>> m_idle; // snapshot connections not in use
    std::function<void()> m_changed; // the record sets read through the old archive are stale
};

// The program-wide data environment from which every report draws its rows: the
// connection and the named commands, each with its record set.
class DataEnvironment1 {
public:
    static DataEnvironment1& instance();

    ReportConnection& Connection1() { return m_connection; }

    // The command named |name| (ignoring case); throws db::Error when there is none.
    const NamedCommand& command(const QString& name) const;
    bool hasCommand(const QString& name) const;
    // The record set of the command |name|; throws db::Error when there is no such command.
    RecordSet& Recordset(const QString& name);
    // The rows of the command |name|: runs it on Connection1 when its record set is closed
    // and leaves it open. Throws db::Error (no such command, connection closed, query failed).
    const Rows& Open(const QString& name);
    // Closes every record set (the next showing of each report runs its command again).
    void CloseAll();

private:
    DataEnvironment1();
    ReportConnection m_connection;
    std::map<QString, RecordSet> m_recordsets; // by the command's name as it is defined
};

} // namespace vb::data
