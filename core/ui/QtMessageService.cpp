#include "core/ui/QtMessageService.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QScreen>

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

QString QtMessageService::input(const InputRequest& r)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(r.title);
    dialog.setLabelText(r.prompt);
    dialog.setTextValue(r.defaultText);
    if (r.xTwips >= 0 && r.yTwips >= 0) {
        // At the asked place, moved back inside the screen when the box would run off it.
        dialog.adjustSize();
        QPoint at(r.xTwips / kTwipsPerPixel, r.yTwips / kTwipsPerPixel);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect room = screen->availableGeometry();
            at.setX(qMax(room.left(), qMin(at.x(), room.right() + 1 - dialog.frameGeometry().width())));
            at.setY(qMax(room.top(), qMin(at.y(), room.bottom() + 1 - dialog.frameGeometry().height())));
        }
        dialog.move(at);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

void QtMessageService::beep() { QApplication::beep(); }

} // namespace vb
