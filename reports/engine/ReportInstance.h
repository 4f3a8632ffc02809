#pragma once

#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportPreview.h"

#include <QPointer>

namespace vb::reports {

// The program-wide instance of one report, created when first shown: its design, the
// labels and logo that windows last set, the layout of its last showing and its preview.
class ReportInstance {
public:
    explicit ReportInstance(ReportDesign design) : m_design(std::move(design)) {}

    const ReportDesign& design() const { return m_design; }
    RuntimeState& state() { return m_state; }
    const ReportLayout& lastLayout() const { return m_lastLayout; }

    // Runs the design's command (when its record set is closed), lays the report out with
    // the current state and keeps the layout. Throws vb::Error.
    const ReportLayout& run();
    // Shows the last layout in the report's modeless preview, creating it when needed.
    ReportPreview* showPreview();
    ReportPreview* preview() const { return m_preview; }

private:
    ReportDesign m_design;
    RuntimeState m_state;
    ReportLayout m_lastLayout;
    QPointer<ReportPreview> m_preview;
};

// The instance of the report |name|, created from its design on first use; throws vb::Error
// when there is no valid design of that name.
ReportInstance& reportInstance(const QString& name);
// The instance of |name| if it was created, else nullptr.
ReportInstance* existingReport(const QString& name);

} // namespace vb::reports
