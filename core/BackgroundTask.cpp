#include "core/BackgroundTask.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThreadPool>

namespace vb {

namespace {

QThreadPool* s_pool = nullptr;

// Jobs still running when the application ends are waited for, so none of them outlives
// the objects it reports to.
void stopPool()
{
    if (!s_pool)
        return;
    s_pool->waitForDone();
    delete s_pool;
    s_pool = nullptr;
}

QThreadPool& pool()
{
    if (!s_pool) {
        s_pool = new QThreadPool;
        s_pool->setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        qAddPostRoutine(stopPool);
    }
    return *s_pool;
}

} // namespace

void TaskProgress::pageDone()
{
    if (cancelled.load())
        throw TaskCancelled{};
    done.fetch_add(1);
}

void runInBackground(std::function<void()> work, std::function<void()> done)
{
    QObject* ui = QCoreApplication::instance();
    pool().start([work = std::move(work), done = std::move(done), ui]() mutable {
        {
            // Whatever |work| holds is let go here, before |done| runs.
            const auto job = std::move(work);
            try {
                job();
            } catch (...) {
                // |work| reports its own errors through the state it shares with |done|.
            }
        }
        QMetaObject::invokeMethod(ui, std::move(done), Qt::QueuedConnection);
    });
}

void waitFor(const std::function<bool()>& finished)
{
    while (!finished())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace vb
