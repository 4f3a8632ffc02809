#include "reports/engine/ReportPreview.h"

#include "core/Error.h"
#include "core/MessageService.h"
#include "reports/engine/ReportRenderer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vb::reports {

namespace {

QToolButton* toolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

ReportPreview::ReportPreview(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    resize(900, 1000);

    auto* bar = new QHBoxLayout;
    auto* first = toolButton(this, "Cmd_First", QStyle::SP_MediaSkipBackward, QStringLiteral("Prima pagina"));
    auto* prev = toolButton(this, "Cmd_Prev", QStyle::SP_MediaSeekBackward, QStringLiteral("Pagina precedente"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LabelPagina"));
    auto* next = toolButton(this, "Cmd_Next", QStyle::SP_MediaSeekForward, QStringLiteral("Pagina successiva"));
    auto* last = toolButton(this, "Cmd_Last", QStyle::SP_MediaSkipForward, QStringLiteral("Ultima pagina"));
    m_zoomCombo = new QComboBox(this);
    m_zoomCombo->setObjectName(QStringLiteral("ComboZoom"));
    m_zoomCombo->setToolTip(QStringLiteral("Zoom"));
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoomCombo->addItem(QStringLiteral("%1%").arg(z), z);
    m_zoomCombo->setCurrentIndex(2);
    auto* print = toolButton(this, "Cmd_Print", QStyle::SP_DialogOkButton, QStringLiteral("Stampa"));
    auto* pdf = toolButton(this, "Cmd_Pdf", QStyle::SP_DialogSaveButton, QStringLiteral("Salva come PDF"));
    auto* closeButton = toolButton(this, "Cmd_Close", QStyle::SP_DialogCloseButton, QStringLiteral("Chiudi"));
    for (QWidget* w : std::initializer_list<QWidget*>{first, prev, m_pageLabel, next, last, m_zoomCombo, print, pdf})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(closeButton);

    m_pageView = new QLabel;
    m_pageView->setObjectName(QStringLiteral("PageView"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollPagina"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_pageView);

    auto* root = new QVBoxLayout(this);
    root->addLayout(bar);
    root->addWidget(m_scroll, 1);

    connect(first, &QToolButton::clicked, this, &ReportPreview::Cmd_First_Click);
    connect(prev, &QToolButton::clicked, this, &ReportPreview::Cmd_Prev_Click);
    connect(next, &QToolButton::clicked, this, &ReportPreview::Cmd_Next_Click);
    connect(last, &QToolButton::clicked, this, &ReportPreview::Cmd_Last_Click);
    connect(print, &QToolButton::clicked, this, &ReportPreview::Cmd_Print_Click);
    connect(pdf, &QToolButton::clicked, this, &ReportPreview::Cmd_Pdf_Click);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    connect(m_zoomCombo, &QComboBox::activated, this, &ReportPreview::ComboZoom_Click);
}

void ReportPreview::setLayout(ReportLayout layout)
{
    m_layout = std::move(layout);
    setWindowTitle(m_layout.caption.isEmpty() ? m_layout.report : m_layout.caption);
    m_page = 0;
    refresh();
}

void ReportPreview::showPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, int(m_layout.pages.size()) - 1));
    refresh();
}

void ReportPreview::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 10, 400);
    refresh();
}

void ReportPreview::refresh()
{
    const int pages = int(m_layout.pages.size());
    m_pageLabel->setText(QStringLiteral("Pagina %1 di %2").arg(pages ? m_page + 1 : 0).arg(pages));
    // The screen shows the page at its printed size (96 pixels to the inch) times the zoom.
    const double pixelsPerMm = 96.0 / 25.4 * m_zoom / 100.0;
    QImage image(int(m_layout.pageWidth * pixelsPerMm), int(m_layout.pageHeight * pixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderPage(painter, m_layout, m_page, pixelsPerMm);
    }
    m_pageView->setPixmap(QPixmap::fromImage(image));
    m_pageView->resize(image.size());
}

bool ReportPreview::saveAsPdf(const QString& path)
{
    try {
        writePdf(m_layout, path);
        return true;
    } catch (const Error& e) {
        MsgBox(e.description(), MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"));
        return false;
    }
}

void ReportPreview::Cmd_First_Click() { showPage(0); }
void ReportPreview::Cmd_Prev_Click() { showPage(m_page - 1); }
void ReportPreview::Cmd_Next_Click() { showPage(m_page + 1); }
void ReportPreview::Cmd_Last_Click() { showPage(int(m_layout.pages.size()) - 1); }

void ReportPreview::ComboZoom_Click() { setZoom(m_zoomCombo->currentData().toInt()); }

void ReportPreview::Cmd_Print_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, int(m_layout.pages.size())));
    if (dialog.exec() != QDialog::Accepted)
        return;
    try {
        printLayout(m_layout, printer);
    } catch (const Error& e) {
        MsgBox(e.description(), MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"));
    }
}

void ReportPreview::Cmd_Pdf_Click()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"),
                                                      folder + QLatin1Char('/') + m_layout.report + QStringLiteral(".pdf"),
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (!path.isEmpty())
        saveAsPdf(path);
}

} // namespace vb::reports
