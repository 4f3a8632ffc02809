#include "reports/engine/ReportInstance.h"

#include "core/Clock.h"
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

const ReportLayout& ReportInstance::run()
{
    const data::Rows& rows = data::DataEnvironment1::instance().Open(m_design.dataMember);
    const QDateTime now = clock().now();
    m_state.date = now.date();
    m_state.time = now.time();
    m_lastLayout = layoutReport(m_design, rows, m_state);
    return m_lastLayout;
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
        m_preview->setObjectName(m_design.report);
    }
    m_preview->setLayout(m_lastLayout);
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
