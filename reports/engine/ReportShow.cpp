#include "reports/engine/ReportShow.h"

namespace vb::reports {

// Placeholder until the engine lands: remembers nothing and shows nothing.
void showReport(const QString&, const ShowOptions&) {}

QList<QStringList> shownPageTexts(const QString&) { return {}; }

} // namespace vb::reports
