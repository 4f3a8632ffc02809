#pragma once

#include <QString>

#include <chrono>

namespace vb::db {

// Fair turns between the writers of one archive, in this process or in others. SQLite
// lets a waiting writer poll for the write lock; a writer that commits and begins again
// at once would take it back before the poll comes, again and again. So a connection
// that waits says so, with a lock on a byte of a small side file ("<archive>-turni"),
// and one about to begin a write first gives way while another waits. Without the side
// file (a read-only folder) writers simply poll.
class WriterTurns {
public:
    explicit WriterTurns(QString archivePath) : m_path(std::move(archivePath) + QStringLiteral("-turni")) {}
    ~WriterTurns();
    WriterTurns(const WriterTurns&) = delete;
    WriterTurns& operator=(const WriterTurns&) = delete;

    // Called by the busy handler at each poll; false once |timeout| has passed since the
    // first poll of this wait.
    bool keepWaiting(int attempt, std::chrono::milliseconds timeout);
    // The wait is over (the lock was taken, or the statement gave up).
    void doneWaiting();
    // Before a write transaction begins: lets a waiting writer go first, for a short while.
    void giveWay();

private:
    bool open();

    QString m_path;
    int m_fd = -1;
    bool m_tried = false;
    bool m_waiting = false;
    std::chrono::steady_clock::time_point m_since;
};

} // namespace vb::db
