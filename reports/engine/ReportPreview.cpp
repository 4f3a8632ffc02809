#include "reports/engine/ReportPreview.h"

#include "core/BackgroundTask.h"
#include "core/Error.h"
#include "core/MessageService.h"
#include "reports/engine/ReportRenderer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vb::reports {

namespace {

const QString kPreparing = QStringLiteral("Preparazione della stampa in corso...");

QToolButton* toolButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& tip)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

const ReportLayout& emptyLayout()
{
    static const ReportLayout none;
    return none;
}

} // namespace

// A PDF or a print on its way; |done| and the results are read once the worker has ended.
struct ReportPreview::WriteJob {
    std::shared_ptr<const ReportLayout> layout;
    QString path;                      // PDF
    std::unique_ptr<QPrinter> printer; // print
    TaskProgress progress;
    QString error;
    bool cancelled = false;
    bool finished = false;
};

ReportPreview::ReportPreview(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);

    auto* bar = new QHBoxLayout;
    auto* first = toolButton(this, "Cmd_First", QStyle::SP_MediaSkipBackward, QStringLiteral("Prima pagina"));
    auto* prev = toolButton(this, "Cmd_Prev", QStyle::SP_MediaSeekBackward, QStringLiteral("Pagina precedente"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LabelPagina"));
    auto* next = toolButton(this, "Cmd_Next", QStyle::SP_MediaSeekForward, QStringLiteral("Pagina successiva"));
    auto* last = toolButton(this, "Cmd_Last", QStyle::SP_MediaSkipForward, QStringLiteral("Ultima pagina"));
    m_pageButtons = {first, prev, next, last};
    m_zoomCombo = new QComboBox(this);
    m_zoomCombo->setObjectName(QStringLiteral("ComboZoom"));
    m_zoomCombo->setToolTip(QStringLiteral("Zoom"));
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoomCombo->addItem(QStringLiteral("%1%").arg(z), z);
    m_zoomCombo->setCurrentIndex(2);
    m_print = toolButton(this, "Cmd_Print", QStyle::SP_DialogOkButton, QStringLiteral("Stampa"));
    m_pdf = toolButton(this, "Cmd_Pdf", QStyle::SP_DialogSaveButton, QStringLiteral("Salva come PDF"));
    auto* closeButton = toolButton(this, "Cmd_Close", QStyle::SP_DialogCloseButton, QStringLiteral("Chiudi"));
    for (QWidget* w : std::initializer_list<QWidget*>{first, prev, m_pageLabel, next, last, m_zoomCombo, m_print, m_pdf})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(closeButton);

    m_pageView = new QLabel;
    m_pageView->setObjectName(QStringLiteral("PageView"));
    m_pageView->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("ScrollPagina"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_pageView);

    // The progress of a long job: what it is doing, how far it got, and a way to stop it.
    auto* statusBar = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LabelStato"));
    // A long path in the status never widens the window past the screen.
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("ProgressStampa"));
    m_progressBar->setMaximumWidth(260);
    m_progressBar->hide();
    m_cancel = toolButton(this, "Cmd_Annulla", QStyle::SP_BrowserStop, QStringLiteral("Annulla"));
    m_cancel->hide();
    statusBar->addWidget(m_status, 1);
    statusBar->addWidget(m_progressBar);
    statusBar->addWidget(m_cancel);

    auto* root = new QVBoxLayout(this);
    root->addLayout(bar);
    root->addWidget(m_scroll, 1);
    root->addLayout(statusBar);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(100);
    connect(m_progressTimer, &QTimer::timeout, this, &ReportPreview::refreshProgress);

    connect(first, &QToolButton::clicked, this, &ReportPreview::Cmd_First_Click);
    connect(prev, &QToolButton::clicked, this, &ReportPreview::Cmd_Prev_Click);
    connect(next, &QToolButton::clicked, this, &ReportPreview::Cmd_Next_Click);
    connect(last, &QToolButton::clicked, this, &ReportPreview::Cmd_Last_Click);
    connect(m_print, &QToolButton::clicked, this, &ReportPreview::Cmd_Print_Click);
    connect(m_pdf, &QToolButton::clicked, this, &ReportPreview::Cmd_Pdf_Click);
    connect(m_cancel, &QToolButton::clicked, this, &ReportPreview::Cmd_Annulla_Click);
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    connect(m_zoomCombo, &QComboBox::activated, this, &ReportPreview::ComboZoom_Click);
    placeOnScreen();
    refresh();
}

void ReportPreview::setPreparing(std::shared_ptr<const TaskProgress> progress)
{
    m_preparing = true;
    m_progress = std::move(progress);
    m_page = 0;
    m_status->setText(kPreparing);
    m_progressBar->setRange(0, 0); // busy: the number of pages is not known yet
    m_progressBar->show();
    m_progressTimer->start();
    refresh();
}

void ReportPreview::setLayout(std::shared_ptr<const ReportLayout> layout)
{
    m_layout = std::move(layout);
    m_preparing = false;
    if (m_layout) {
        setWindowTitle(m_layout->caption.isEmpty() ? m_layout->report : m_layout->caption);
        if (!m_zoomChosen)
            setZoom(fittingZoom(m_layout->pageWidth));
    }
    m_page = 0;
    if (!m_write) {
        m_progress.reset();
        m_progressTimer->stop();
        m_progressBar->hide();
        m_status->clear();
    }
    refresh();
}

const ReportLayout& ReportPreview::reportLayout() const
{
    waitFor([this] { return !m_preparing; });
    return m_layout ? *m_layout : emptyLayout();
}

void ReportPreview::showPage(int page)
{
    const int pages = m_layout ? m_layout->pageCount() : 0;
    m_page = std::clamp(page, 0, std::max(0, pages - 1));
    refresh();
}

void ReportPreview::setZoom(int percent)
{
    m_zoom = std::clamp(percent, 10, 400);
    int index = m_zoomCombo->findData(m_zoom);
    if (index < 0) {
        index = 0;
        while (index < m_zoomCombo->count() && m_zoomCombo->itemData(index).toInt() < m_zoom)
            ++index;
        m_zoomCombo->insertItem(index, QStringLiteral("%1%").arg(m_zoom), m_zoom);
    }
    m_zoomCombo->setCurrentIndex(index);
    refresh();
}

int ReportPreview::fittingZoom(double pageWidthMm) const
{
    // The page, with a little room around it and beside the vertical scroll bar, at most
    // at its printed size.
    const int viewport = m_scroll->viewport()->width() > 200 ? m_scroll->viewport()->width() : width() - 40;
    const int room = viewport - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 16;
    const double pageAt100 = pageWidthMm * 96.0 / 25.4;
    return std::clamp(int(room / pageAt100 * 100), 25, 100);
}

void ReportPreview::placeOnScreen()
{
    // Within the screen the program is on, frame included, and centred on it. The frame
    // is not known before the window is shown: a usual one is allowed for.
    const QWidget* active = QApplication::activeWindow();
    QScreen* screen = active && active != this ? active->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QMargins frame(8, 32, 8, 8);
    const QSize size(std::min(960, room.width() - frame.left() - frame.right()),
                     std::min(1000, room.height() - frame.top() - frame.bottom()));
    resize(size);
    const QSize outer = size.grownBy(frame);
    move(room.left() + (room.width() - outer.width()) / 2 + frame.left(),
         room.top() + (room.height() - outer.height()) / 2 + frame.top());
}

void ReportPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Once the window has its real frame: moved back inside the screen where it is not.
    QTimer::singleShot(0, this, [this] {
        const QScreen* screen = this->screen();
        if (!screen)
            return;
        const QRect room = screen->availableGeometry();
        const QRect outer = frameGeometry();
        if (room.contains(outer))
            return;
        const QSize extra = outer.size() - size();
        resize(std::min(width(), room.width() - extra.width()), std::min(height(), room.height() - extra.height()));
        const QRect fitted = frameGeometry();
        move(pos() + QPoint(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()) - fitted.left(),
                            std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()) - fitted.top()));
    });
}

QString ReportPreview::suggestedPdfPath() const
{
    // The documents folder where the system has one, else the home folder (never the
    // program's working folder).
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    QString title = windowTitle().trimmed();
    if (m_layout)
        title = (m_layout->caption.isEmpty() ? m_layout->report : m_layout->caption).trimmed();
    // Characters that a file name cannot hold on some systems become blanks.
    for (QChar& c : title)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.unicode() < 32)
            c = u' ';
    title = title.simplified();
    if (title.isEmpty())
        title = QStringLiteral("Stampa");
    return QDir(folder).filePath(title + QStringLiteral(".pdf"));
}

void ReportPreview::enableCommands()
{
    const bool ready = !m_preparing && m_layout;
    for (QToolButton* b : m_pageButtons)
        b->setEnabled(ready);
    m_print->setEnabled(ready && !m_write);
    m_pdf->setEnabled(ready && !m_write);
}

void ReportPreview::refresh()
{
    enableCommands();
    if (m_preparing || !m_layout) {
        refreshProgress();
        m_pageView->setPixmap(QPixmap());
        m_pageView->setText(m_preparing ? kPreparing : QString());
        m_scroll->setWidgetResizable(true); // the text in the middle of the page area
        return;
    }
    const ReportLayout& layout = *m_layout;
    const int pages = layout.pageCount();
    m_pageLabel->setText(QStringLiteral("Pagina %1 di %2").arg(pages ? m_page + 1 : 0).arg(pages));
    // The screen shows the page at its printed size (96 pixels to the inch) times the zoom.
    const double pixelsPerMm = 96.0 / 25.4 * m_zoom / 100.0;
    QImage image(int(layout.pageWidth * pixelsPerMm), int(layout.pageHeight * pixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderPage(painter, layout, m_page, pixelsPerMm);
    }
    m_scroll->setWidgetResizable(false);
    m_pageView->setPixmap(QPixmap::fromImage(image));
    m_pageView->resize(image.size());
}

void ReportPreview::refreshProgress()
{
    if (!m_progress)
        return;
    const int done = m_progress->done.load();
    if (m_preparing && !m_write) {
        m_pageLabel->setText(QStringLiteral("Pagine preparate: %1").arg(done));
        return;
    }
    const int total = m_progress->total.load();
    if (total > 0) {
        m_progressBar->setRange(0, total);
        m_progressBar->setValue(std::min(done, total));
    }
}

void ReportPreview::startSaveAsPdf(const QString& path)
{
    auto job = std::make_shared<WriteJob>();
    job->path = path;
    startWrite(std::move(job));
}

bool ReportPreview::saveAsPdf(const QString& path)
{
    waitFor([this] { return !m_preparing && !m_write; });
    auto job = std::make_shared<WriteJob>();
    job->path = path;
    startWrite(job);
    waitFor([job] { return job->finished; });
    return job->error.isEmpty() && !job->cancelled;
}

void ReportPreview::startPrint(std::unique_ptr<QPrinter> printer)
{
    auto job = std::make_shared<WriteJob>();
    job->printer = std::move(printer);
    startWrite(std::move(job));
}

void ReportPreview::startWrite(std::shared_ptr<WriteJob> job)
{
    if (m_preparing || m_write)
        return;
    job->layout = m_layout ? m_layout : std::make_shared<const ReportLayout>();
    m_write = job;
    m_progress = std::shared_ptr<const TaskProgress>(job, &job->progress);
    m_status->setText(job->printer ? QStringLiteral("Stampa in corso...") : QStringLiteral("Salvataggio del PDF in corso..."));
    m_progressBar->setRange(0, std::max(1, job->layout->pageCount()));
    m_progressBar->setValue(0);
    m_progressBar->show();
    m_cancel->show();
    m_progressTimer->start();
    enableCommands();

    QPointer<ReportPreview> self(this);
    runInBackground(
        [job] {
            try {
                if (job->printer)
                    printLayout(*job->layout, *job->printer, &job->progress);
                else
                    writePdf(*job->layout, job->path, &job->progress);
            } catch (const TaskCancelled&) {
                job->cancelled = true;
            } catch (const Error& e) {
                job->error = e.description();
            }
        },
        [self, job] {
            job->finished = true;
            job->printer.reset();
            if (self)
                self->writeEnded(job);
            if (!job->error.isEmpty())
                MsgBox(job->error, MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("ATTENZIONE"));
        });
}

void ReportPreview::writeEnded(const std::shared_ptr<WriteJob>& job)
{
    if (m_write != job)
        return;
    m_write.reset();
    m_progress.reset();
    m_progressTimer->stop();
    m_progressBar->hide();
    m_cancel->hide();
    if (job->cancelled)
        m_status->setText(QStringLiteral("Operazione annullata."));
    else if (!job->error.isEmpty())
        m_status->clear();
    else
        m_status->setText(job->path.isEmpty()
                              ? QStringLiteral("Stampa inviata.")
                              : QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(job->path)));
    m_status->setToolTip(m_status->text());
    enableCommands();
    Q_EMIT writeFinished(job->error.isEmpty() && !job->cancelled);
}

void ReportPreview::Cmd_First_Click() { showPage(0); }
void ReportPreview::Cmd_Prev_Click() { showPage(m_page - 1); }
void ReportPreview::Cmd_Next_Click() { showPage(m_page + 1); }
void ReportPreview::Cmd_Last_Click() { showPage(m_layout ? m_layout->pageCount() - 1 : 0); }

void ReportPreview::ComboZoom_Click()
{
    m_zoomChosen = true;
    setZoom(m_zoomCombo->currentData().toInt());
}

void ReportPreview::Cmd_Annulla_Click()
{
    if (m_write)
        m_write->progress.cancelled = true;
}

void ReportPreview::Cmd_Print_Click()
{
    if (m_preparing || m_write || !m_layout)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), this);
    dialog.setMinMax(1, std::max(1, m_layout->pageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    startPrint(std::move(printer));
}

void ReportPreview::Cmd_Pdf_Click()
{
    if (m_preparing || m_write || !m_layout)
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"), suggestedPdfPath(),
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (!path.isEmpty())
        startSaveAsPdf(path);
}

} // namespace vb::reports
