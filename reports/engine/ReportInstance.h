#pragma once

#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportPreview.h"

#include <QPointer>

#include <memory>

namespace vb {
struct TaskProgress;
}

namespace vb::reports {

// The program-wide instance of one report, created when first shown: its design, the
// labels and logo that windows last set, the layout of its last showing and its preview.
class ReportInstance {
public:
    explicit ReportInstance(ReportDesign design) : m_design(std::make_shared<const ReportDesign>(std::move(design))) {}

    const ReportDesign& design() const { return *m_design; }
    RuntimeState& state() { return m_state; }
    // The layout of the last showing; while one is being prepared, waits for it (processing
    // events). Empty before the first showing.
    const ReportLayout& lastLayout() const;

    // Starts a showing with the current state and shows the preview at once, saying that
    // the printout is being prepared. The rows are those committed when it starts; the
    // command runs and the pages are laid out on a worker thread, then fill the preview.
    // A showing started while another is prepared supersedes it. A command that fails
    // closes the preview and shows its description. Throws vb::Error (no open archive).
    void startShowing();
    bool preparing() const { return m_preparing; }
    // Processes events until the last showing is ready.
    void waitUntilReady() const;
    ReportPreview* preview() const { return m_preview; }

private:
    struct Preparation;
    static void prepare(Preparation& p);
    ReportPreview* showPreview();
    void finishShowing(Preparation& p);

    std::shared_ptr<const ReportDesign> m_design;
    RuntimeState m_state;
    std::shared_ptr<const ReportLayout> m_lastLayout;
    std::shared_ptr<TaskProgress> m_running; // of the showing being prepared
    quint64 m_showings = 0;
    bool m_preparing = false;
    QPointer<ReportPreview> m_preview;
};

// The instance of the report |name|, created from its design on first use; throws vb::Error
// when there is no valid design of that name.
ReportInstance& reportInstance(const QString& name);
// The instance of |name| if it was created, else nullptr.
ReportInstance* existingReport(const QString& name);

} // namespace vb::reports
