#include "reports/engine/ReportShow.h"

#include "core/Error.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportInstance.h"

#include <QImage>

namespace vb::reports {

void showReport(const QString& reportName, const ShowOptions& options)
{
    ReportInstance& report = reportInstance(reportName);
    RuntimeState& state = report.state();

    data::RecordSet& rs = data::DataEnvironment1::instance().Recordset(report.design().dataMember);
    if (rs.State() == 1)
        rs.Close();

    if (!options.logoPath.isEmpty()) {
        auto picture = std::make_shared<QImage>(options.logoPath);
        if (picture->isNull())
            throw Error(QStringLiteral("Impossibile caricare l'immagine del logo: %1").arg(options.logoPath));
        state.picture = std::move(picture);
        state.pictureAlignment = 8;
        state.sizeMode = 2;
    }
    if (!options.headingLabel.isEmpty())
        state.labels.insert(options.headingLabel.toLower(), options.heading);
    for (auto it = options.labels.begin(); it != options.labels.end(); ++it)
        state.labels.insert(it.key().toLower(), it.value());
    state.hidden.clear();
    for (const QString& name : options.hiddenControls)
        state.hidden.insert(name.toLower());

    report.startShowing();
}

QList<QStringList> shownPageTexts(const QString& reportName)
{
    // lastLayout() waits for a showing still being prepared.
    const ReportInstance* report = existingReport(reportName);
    return report ? report->lastLayout().pageTexts() : QList<QStringList>();
}

} // namespace vb::reports
