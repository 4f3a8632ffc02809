#pragma once

#include "reports/engine/ReportLayout.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QScrollArea;
class QTimer;
class QToolButton;

namespace vb {
struct TaskProgress;
}

namespace vb::reports {

// The modeless preview of a laid-out report: page navigation, zoom, print and save as PDF.
// It never blocks the window that showed the report: the preparation of the pages, the
// printing and the PDF run on worker threads while it shows their progress.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);

    // Says that the printout is being prepared (a busy bar and the pages laid out so far)
    // until setLayout; pages, print and save wait until then.
    void setPreparing(std::shared_ptr<const TaskProgress> progress);
    void setLayout(std::shared_ptr<const ReportLayout> layout);
    bool preparing() const { return m_preparing; }
    // The layout shown; while it is being prepared, waits for it (processing events).
    const ReportLayout& reportLayout() const;
    int currentPage() const { return m_page; }
    void showPage(int page);
    // Zoom in per cent of the printed size. Until the user chooses one, the preview shows
    // the whole width of the page (at most its printed size).
    void setZoom(int percent);
    int zoom() const { return m_zoom; }
    // Where "Salva come PDF" proposes to write: the user's documents folder, the report's
    // title as the file name.
    QString suggestedPdfPath() const;

    // Starts writing the report as a PDF file on a worker thread, with its progress; a
    // failure shows a message and leaves no file. Returns at once.
    void startSaveAsPdf(const QString& path);
    // Saves the report as a PDF file and waits for the end (processing events); a failure
    // shows a message and returns false.
    bool saveAsPdf(const QString& path);
    // Starts printing on |printer| (set up by the print dialog) on a worker thread.
    void startPrint(std::unique_ptr<QPrinter> printer);
    // Whether a PDF or a print is being written.
    bool writing() const { return m_write != nullptr; }

protected:
    void showEvent(QShowEvent* event) override;

Q_SIGNALS:
    // A PDF or a print has ended: |ok| false when it failed or was stopped.
    void writeFinished(bool ok);

private Q_SLOTS:
    void Cmd_First_Click();
    void Cmd_Prev_Click();
    void Cmd_Next_Click();
    void Cmd_Last_Click();
    void Cmd_Print_Click();
    void Cmd_Pdf_Click();
    void Cmd_Annulla_Click();
    void ComboZoom_Click();

private:
    struct WriteJob;
    void startWrite(std::shared_ptr<WriteJob> job);
    void writeEnded(const std::shared_ptr<WriteJob>& job);
    void refresh();
    void refreshProgress();
    void placeOnScreen();
    int fittingZoom(double pageWidthMm) const;
    void enableCommands();

    std::shared_ptr<const ReportLayout> m_layout;
    bool m_preparing = false;
    std::shared_ptr<const TaskProgress> m_progress; // of the preparation or the write shown
    std::shared_ptr<WriteJob> m_write;              // the PDF or print being written
    int m_page = 0;
    int m_zoom = 100;
    bool m_zoomChosen = false; // by the user
    bool m_placed = false;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageView = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomCombo = nullptr;
    QLabel* m_status = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QToolButton* m_cancel = nullptr;
    QTimer* m_progressTimer = nullptr;
    std::vector<QToolButton*> m_pageButtons; // first, previous, next, last
    QToolButton* m_print = nullptr;
    QToolButton* m_pdf = nullptr;
};

} // namespace vb::reports
