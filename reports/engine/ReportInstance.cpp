#include "reports/engine/ReportInstance.h"

#include "core/BackgroundTask.h"
#include "core/Clock.h"
#include "core/MessageService.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportPreview.h"

#include <QCoreApplication>

#include <map>
#include <memory>

namespace vb::reports {

namespace {

std::map<QString, std::unique_ptr<ReportInstance>>& instances()
{
    static std::map<QString, std::unique_ptr<ReportInstance>> map;
    return map;
}

// Preview windows still open when the application ends are closed with it.
void closePreviews()
{
    for (auto& [name, report] : instances())
        delete report->preview();
}

} // namespace

// One showing on its way: what the worker reads, and what it gives back.
struct ReportInstance::Preparation {
    quint64 showing = 0;
    std::shared_ptr<const ReportDesign> design;
    RuntimeState state;
    const data::NamedCommand* command = nullptr;
    data::ReadSnapshot snapshot;
    std::shared_ptr<TaskProgress> progress;
    // Results
    std::shared_ptr<const data::Rows> rows;
    std::shared_ptr<const ReportLayout> layout;
    QString error;
};

// The worker's part of a showing: the command's rows from the snapshot, then the layout.
void ReportInstance::prepare(Preparation& p)
{
    try {
        if (p.progress->cancelled)
            throw TaskCancelled{};
        p.rows = std::make_shared<const data::Rows>(p.command->run(*p.snapshot.db));
        p.snapshot.endReads();
        p.layout = std::make_shared<const ReportLayout>(layoutReport(p.design, p.rows, p.state, p.progress.get()));
    } catch (const TaskCancelled&) {
        // superseded by a newer showing
    } catch (const Error& e) {
        p.error = e.description();
    } catch (const std::exception& e) {
        p.error = QString::fromLocal8Bit(e.what());
    }
    p.snapshot.endReads();
}

void ReportInstance::startShowing()
{
    auto& env = data::DataEnvironment1::instance();
    const QDateTime now = clock().now();
    m_state.date = now.date();
    m_state.time = now.time();

    auto p = std::make_shared<Preparation>();
    p->command = &env.command(m_design->dataMember);
    p->snapshot = env.Connection1().takeSnapshot();
    p->showing = ++m_showings;
    p->design = m_design;
    p->state = m_state;
    p->progress = std::make_shared<TaskProgress>();

    if (m_running)
        m_running->cancelled = true;
    m_running = p->progress;
    m_preparing = true;
    showPreview()->setPreparing(p->progress);

    if (!data::ReportConnection::snapshotsOnWorkerThreads()) {
        prepare(*p);
        finishShowing(*p);
        return;
    }
    runInBackground([p] { prepare(*p); }, [this, p] { finishShowing(*p); });
}

void ReportInstance::finishShowing(Preparation& p)
{
    auto& env = data::DataEnvironment1::instance();
    const bool sameArchive = p.snapshot.generation == env.Connection1().generation();
    env.Connection1().releaseSnapshot(std::move(p.snapshot));
    if (p.showing != m_showings)
        return; // a newer showing is on its way
    m_preparing = false;
    m_running.reset();
    if (!sameArchive) {
        // The archive was closed or changed meanwhile: these rows belong to no open archive.
        if (m_preview)
            m_preview->close();
        return;
    }
    if (!p.layout) {
        if (m_preview)
            m_preview->close();
        showErrorDescription(p.error);
        return;
    }
    m_lastLayout = p.layout;
    env.Recordset(p.command->name).setRows(std::move(p.rows));
    if (m_preview)
        m_preview->setLayout(m_lastLayout);
}

void ReportInstance::waitUntilReady() const
{
    waitFor([this] { return !m_preparing; });
}

const ReportLayout& ReportInstance::lastLayout() const
{
    waitUntilReady();
    static const ReportLayout none;
    return m_lastLayout ? *m_lastLayout : none;
}

ReportPreview* ReportInstance::showPreview()
{
    if (!m_preview) {
        static bool cleanupAdded = false;
        if (!cleanupAdded) {
            qAddPostRoutine(closePreviews);
            cleanupAdded = true;
        }
        m_preview = new ReportPreview;
        m_preview->setObjectName(m_design->report);
        m_preview->setWindowTitle(m_design->caption.isEmpty() ? m_design->report : m_design->caption);
    }
    m_preview->show();
    m_preview->raise();
    return m_preview;
}

ReportInstance& reportInstance(const QString& name)
{
    auto& map = instances();
    const QString key = name.toLower();
    auto it = map.find(key);
    if (it == map.end())
        it = map.emplace(key, std::make_unique<ReportInstance>(loadDesign(name))).first;
    return *it->second;
}

ReportInstance* existingReport(const QString& name)
{
    auto& map = instances();
    const auto it = map.find(name.toLower());
    return it == map.end() ? nullptr : it->second.get();
}

} // namespace vb::reports
