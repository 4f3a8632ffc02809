#include "tests/support/TestSupport.h"
#include "ui/ArchiveJobs.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

namespace vb::test {
namespace {

class ArchiveJobsTest : public AppTest {
protected:
    ArchiveJobsTest()
    {
        window = std::make_unique<QWidget>();
        bar = new QProgressBar(window.get());
        bar->setVisible(false);
        window->show();
        jobs = new ArchiveJobs(window.get(), bar);
        jobs->setArchive(OpenArchiveConnection().settings);
    }

    qint64 persons(const QString& cognome)
    {
        auto st = db->query(QStringLiteral("SELECT count(*) FROM TabellaNominativi WHERE Cognome = ?"), {cognome});
        return st.next() ? st.integer(0) : -1;
    }
    static void addPerson(db::Database& db, const QString& cognome)
    {
        db.execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome) VALUES (?)"), {cognome});
    }

    std::unique_ptr<QWidget> window;
    QProgressBar* bar = nullptr;
    ArchiveJobs* jobs = nullptr;
};

// While a job runs on its worker the window's events go on and its bar runs; the result
// is shown on the window's thread once the job's writes are committed.
TEST_F(ArchiveJobsTest, AJobRunsOffTheWindowsThreadWhileTheWindowStaysLive)
{
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    QThread* jobThread = nullptr;
    QThread* showThread = nullptr;
    qint64 seenAtShow = -1;
    jobs->run([&](db::Database& db) -> ArchiveJobs::Show {
        jobThread = QThread::currentThread();
        db::Transaction tx(db);
        addPerson(db, QStringLiteral("Lavoro"));
        started = true;
        while (!release)
            QThread::msleep(1);
        tx.commit();
        return [&] {
            showThread = QThread::currentThread();
            seenAtShow = persons(QStringLiteral("Lavoro"));
        };
    });
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(1);
    while (!started || ticks < 5)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(jobs->idle());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 0); // busy
    EXPECT_EQ(persons(QStringLiteral("Lavoro")), 0); // not committed yet

    release = true;
    jobs->waitUntilIdle();
    EXPECT_NE(jobThread, QThread::currentThread());
    EXPECT_EQ(showThread, QThread::currentThread());
    EXPECT_EQ(seenAtShow, 1);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(msgs.shown.empty());
}

// Jobs run one at a time in the order asked; a failing one shows its description, leaves
// nothing written, and the next ones still run.
TEST_F(ArchiveJobsTest, JobsRunInOrderAndAFailureUndoesItsWrites)
{
    QStringList order;
    auto job = [&](const QString& name, bool fail) {
        jobs->run([&order, name, fail](db::Database& db) -> ArchiveJobs::Show {
            db::Transaction tx(db);
            addPerson(db, name);
            if (fail)
                throw db::Error(QStringLiteral("Spazio su disco esaurito."));
            tx.commit();
            return [&order, name] { order << name; };
        });
    };
    job(QStringLiteral("Primo"), false);
    job(QStringLiteral("Guasto"), true);
    job(QStringLiteral("Terzo"), false);
    jobs->waitUntilIdle();
    EXPECT_EQ(order, (QStringList{QStringLiteral("Primo"), QStringLiteral("Terzo")}));
    EXPECT_EQ(msgs.texts(), QStringList{QStringLiteral("Spazio su disco esaurito.")});
    EXPECT_EQ(persons(QStringLiteral("Primo")), 1);
    EXPECT_EQ(persons(QStringLiteral("Guasto")), 0);
    EXPECT_EQ(persons(QStringLiteral("Terzo")), 1);
}

// A window closed, or stopping its jobs as it unloads, while a job runs: the job still
// commits whole, its result is not shown, and the jobs that were waiting do not run.
TEST_F(ArchiveJobsTest, AJobOutlivesItsWindowWithoutShowingItsResult)
{
    for (const bool destroyed : {true, false}) {
        SCOPED_TRACE(destroyed ? "window destroyed" : "jobs stopped");
        auto owner = std::make_unique<QWidget>();
        auto* own = new ArchiveJobs(owner.get(), nullptr);
        own->setArchive(OpenArchiveConnection().settings);
        const QString name = destroyed ? QStringLiteral("Orfano") : QStringLiteral("Fermato");
        std::atomic<bool> release{false};
        bool shown = false;
        own->run([&, name](db::Database& db) -> ArchiveJobs::Show {
            db::Transaction tx(db);
            addPerson(db, name);
            while (!release)
                QThread::msleep(1);
            tx.commit();
            return [&] { shown = true; };
        });
        own->run([](db::Database& db) -> ArchiveJobs::Show {
            addPerson(db, QStringLiteral("Mai"));
            return [] {};
        });
        if (destroyed)
            owner.reset();
        else
            own->stop();
        release = true;
        while (persons(name) == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (!destroyed)
            own->waitUntilIdle();
        processEvents();
        EXPECT_FALSE(shown);
        EXPECT_EQ(persons(QStringLiteral("Mai")), 0);
    }
}

// A window whose connection could not be opened at load says so for every job.
TEST_F(ArchiveJobsTest, WithoutAnArchiveEveryJobSaysItWasNotOpened)
{
    auto* unopened = new ArchiveJobs(window.get(), nullptr);
    bool ran = false;
    unopened->run([&](db::Database&) -> ArchiveJobs::Show {
        ran = true;
        return [] {};
    });
    unopened->waitUntilIdle();
    EXPECT_FALSE(ran);
    EXPECT_EQ(msgs.texts(), QStringList{kArchiveNotOpenedMessage});
}

} // namespace
} // namespace vb::test
