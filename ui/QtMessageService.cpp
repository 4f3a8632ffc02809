#include "ui/QtMessageService.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vb {
namespace {

// 15 twips to a pixel at the usual 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

QMessageBox::Icon toIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MsgResult QtMessageService::message(const MessageRequest& r)
{
    QMessageBox box(toIcon(r.icon), r.title, r.text, QMessageBox::NoButton, QApplication::activeWindow());
    switch (r.buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return MsgResult::Cancel;
    }
}

namespace {

// Puts |dialog| where the request asks, moved back inside the screen when it would run
// off it; with no place asked, the dialog centres itself over its parent.
void placeAsAsked(QDialog& dialog, const InputRequest& r)
{
    if (r.xTwips < 0 || r.yTwips < 0)
        return;
    dialog.adjustSize();
    QPoint at(r.xTwips / kTwipsPerPixel, r.yTwips / kTwipsPerPixel);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        at.setX(qMax(room.left(), qMin(at.x(), room.right() + 1 - dialog.frameGeometry().width())));
        at.setY(qMax(room.top(), qMin(at.y(), room.bottom() + 1 - dialog.frameGeometry().height())));
    }
    dialog.move(at);
}

// The input box of a folder: the prompt, the folder's box and "Sfoglia..." beside it,
// which opens the system's folder picker on the folder typed (or the mounted drives).
QString folderInput(const InputRequest& r)
{
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(r.title);
    auto* prompt = new QLabel(r.prompt, &dialog);
    auto* folder = new QLineEdit(r.defaultText, &dialog);
    folder->setObjectName(QStringLiteral("Cartella"));
    folder->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("Sfoglia..."), &dialog);
    browse->setObjectName(QStringLiteral("Sfoglia"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, folder, title = r.title] {
        QString start = folder->text().trimmed();
        if (start.isEmpty() || !QFileInfo(start).isDir())
            start = QFileInfo(QStringLiteral("/media")).isDir() ? QStringLiteral("/media") : QDir::homePath();
        const QString picked = QFileDialog::getExistingDirectory(&dialog, title, start);
        if (!picked.isEmpty())
            folder->setText(QDir::toNativeSeparators(picked));
    });
    auto* row = new QHBoxLayout;
    row->addWidget(folder, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(prompt);
    layout->addLayout(row);
    layout->addWidget(buttons);
    placeAsAsked(dialog, r);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return folder->text();
}

} // namespace

QString QtMessageService::input(const InputRequest& r)
{
    if (r.browseFolder)
        return folderInput(r);
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(r.title);
    dialog.setLabelText(r.prompt);
    dialog.setTextValue(r.defaultText);
    placeAsAsked(dialog, r);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void QtMessageService::beep() { QApplication::beep(); }

} // namespace vb
