#pragma once

#include "core/ArchiveConnection.h"

#include <QObject>

#include <deque>
#include <functional>
#include <memory>

class QProgressBar;
class QWidget;

namespace vb {

// A window's long work on the archive (lists, markings) run off the window's thread, one
// job at a time in the order asked, so that the window stays live meanwhile. Each job runs
// on a worker thread on a connection of its own to the window's archive, kept for the next
// jobs so that they find the pages already read. A job's writes are its own transaction,
// committed whole or not at all; a program that ends meanwhile waits for the running job.
// The step that shows a job's result runs afterwards on the window's thread, and only
// while the window lives. While jobs are waiting or running, the window's progress bar
// runs as a busy bar.
class ArchiveJobs : public QObject {
    Q_OBJECT
public:
    // The step that shows a job's result, on the window's thread.
    using Show = std::function<void()>;
    // A job: reads and writes through the connection it is given and touches no widget.
    using Job = std::function<Show(db::Database&)>;

    // |bar| may be null.
    ArchiveJobs(QWidget* window, QProgressBar* bar);
    ~ArchiveJobs() override;

    // The archive the jobs work on (the window's connection settings). Until it is set,
    // as when the window could not open its connection, every job fails with a message
    // that says so.
    void setArchive(const ArchiveSettings& settings);
    // Queues |job|. A vb::Error it throws is shown with its description in place of its
    // result, and its writes are undone.
    void run(Job job);
    bool idle() const { return !m_running && m_waiting.empty(); }
    // For a window that closes: the waiting jobs are dropped and no result is shown any
    // more; a running job still ends with its transaction committed or undone whole.
    void stop();
    // Processes events until every job asked for has run and shown its result.
    void waitUntilIdle() const;

private:
    struct Worker;
    void startNext();
    void showBusy();

    QProgressBar* m_bar = nullptr;
    std::shared_ptr<Worker> m_worker;
    std::deque<Job> m_waiting;
    bool m_running = false;
    bool m_stopped = false;
};

} // namespace vb
