#include "ui/ArchiveJobs.h"

#include "core/BackgroundTask.h"
#include "core/MessageService.h"

#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include <optional>

#include <sqlite3.h>

namespace vb {

// What the jobs share with the worker thread: the archive's settings and the jobs'
// connection, used by one job at a time.
struct ArchiveJobs::Worker {
    std::optional<ArchiveSettings> settings;
    std::unique_ptr<db::Database> db;
};

ArchiveJobs::ArchiveJobs(QWidget* window, QProgressBar* bar)
    : QObject(window), m_bar(bar), m_worker(std::make_shared<Worker>())
{
}

ArchiveJobs::~ArchiveJobs() = default;

void ArchiveJobs::setArchive(const ArchiveSettings& settings)
{
    // A new connection for the jobs after the running one, if any, is done with the old.
    auto worker = std::make_shared<Worker>();
    worker->settings = settings;
    m_worker = std::move(worker);
}

void ArchiveJobs::run(Job job)
{
    if (m_stopped)
        return;
    m_waiting.push_back(std::move(job));
    if (!m_running)
        startNext();
}

void ArchiveJobs::stop()
{
    m_stopped = true;
    m_waiting.clear();
    if (m_bar)
        m_bar->setVisible(false);
}

void ArchiveJobs::showBusy()
{
    if (!m_bar)
        return;
    m_bar->setRange(0, 0);
    m_bar->setVisible(true);
}

void ArchiveJobs::startNext()
{
    if (m_waiting.empty() || m_stopped) {
        if (m_bar) {
            m_bar->setVisible(false);
            m_bar->setRange(0, 100);
        }
        return;
    }
    m_running = true;
    showBusy();
    struct Outcome {
        Show show;
        bool failed = false;
        QString error;
    };
    auto outcome = std::make_shared<Outcome>();
    auto work = [job = std::move(m_waiting.front()), worker = m_worker, outcome] {
        try {
            if (!worker->settings)
                throw Error(kArchiveNotOpenedMessage);
            if (!worker->db)
                worker->db = openConnection(connectionString(*worker->settings));
            outcome->show = job(*worker->db);
        } catch (const Error& e) {
            outcome->failed = true;
            outcome->error = e.description();
        } catch (const std::exception& e) {
            outcome->failed = true;
            outcome->error = QString::fromLocal8Bit(e.what());
        }
    };
    m_waiting.pop_front();
    auto done = [self = QPointer<ArchiveJobs>(this), outcome] {
        if (!self)
            return; // the window is gone: nothing to show it on
        if (self->m_stopped) {
            self->m_running = false;
            return;
        }
        if (outcome->failed)
            showErrorDescription(outcome->error);
        else if (outcome->show)
            outcome->show();
        if (!self)
            return;
        self->m_running = false;
        self->startNext();
    };
    // Without a library that lets a connection work on another thread, the job runs here.
    if (sqlite3_threadsafe() == 0) {
        work();
        done();
        return;
    }
    runInBackground(std::move(work), std::move(done));
}

void ArchiveJobs::waitUntilIdle() const
{
    waitFor([self = QPointer<const ArchiveJobs>(this)] { return !self || self->idle(); });
}

} // namespace vb
