#include "core/ui/StampaAnagrafica.h"

#include "core/ui/WindowHelpers.h"
#include "reports/engine/ReportShow.h"

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
