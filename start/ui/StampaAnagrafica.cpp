#include "start/ui/StampaAnagrafica.h"

#include "reports/engine/ReportShow.h"
#include "ui/WindowHelpers.h"

namespace vb {

void StampaAnagrafica(const QString& logoPath, const QString& heading)
{
    runShowingErrors([&] {
        reports::ShowOptions options;
        options.logoPath = logoPath;
        options.headingLabel = QStringLiteral("LabelIntestazione");
        options.heading = heading;
        reports::showReport(QStringLiteral("ReportAnagrafica"), options);
    });
}

} // namespace vb
