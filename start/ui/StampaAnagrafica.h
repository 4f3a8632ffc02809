#pragma once

#include <QString>

namespace vb {

// Prints the registry of persons (report ReportAnagrafica) with the logo at |logoPath| and
// the association heading; a failure is shown with its description.
void StampaAnagrafica(const QString& logoPath, const QString& heading);

} // namespace vb
