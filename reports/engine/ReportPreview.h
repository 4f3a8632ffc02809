#pragma once

#include "reports/engine/ReportLayout.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QScrollArea;

namespace vb::reports {

// The modeless preview of a laid-out report: page navigation, zoom, print and save as PDF.
// It never blocks the window that showed the report.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);

    void setLayout(ReportLayout layout);
    const ReportLayout& reportLayout() const { return m_layout; }
    int currentPage() const { return m_page; }
    void showPage(int page);
    // Zoom in per cent of the printed size.
    void setZoom(int percent);

    // Saves the report as a PDF file; shows a message and returns false when it fails.
    bool saveAsPdf(const QString& path);

private Q_SLOTS:
    void Cmd_First_Click();
    void Cmd_Prev_Click();
    void Cmd_Next_Click();
    void Cmd_Last_Click();
    void Cmd_Print_Click();
    void Cmd_Pdf_Click();
    void ComboZoom_Click();

private:
    void refresh();

    ReportLayout m_layout;
    int m_page = 0;
    int m_zoom = 100;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageView = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomCombo = nullptr;
};

} // namespace vb::reports
