#include "ui/WindowHelpers.h"

#include "core/Error.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

namespace vb {
namespace {

// The room the logo control gives its picture: its maximum size where the window bounds
// it, else its minimum height (a box sized by height only).
QSize logoBox(const QLabel* image)
{
    int height = image->maximumHeight();
    if (height >= QWIDGETSIZE_MAX && image->minimumHeight() > 0)
        height = image->minimumHeight();
    return {image->maximumWidth(), height};
}

} // namespace

void loadLogo(QLabel* image, const QString& path)
{
    QPixmap picture(path);
    if (picture.isNull())
        throw Error(QStringLiteral("Impossibile caricare l'immagine del logo: %1").arg(path));
    if (image) {
        // A picture larger than its box is shrunk whole, keeping its proportions, rather
        // than cut at the edges or stretching the window.
        const QSize box = logoBox(image);
        if (picture.width() > box.width() || picture.height() > box.height())
            picture = picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        image->setPixmap(picture);
        image->setScaledContents(false);
        image->setAlignment(Qt::AlignCenter);
    }
}

void RunProgressBar(QProgressBar* bar)
{
    if (!bar)
        return;
    constexpr int kMax = 12250;
    bar->setMinimum(0);
    bar->setMaximum(kMax);
    bar->setVisible(true);
    bar->setValue(bar->minimum());
    for (int v = 0; v <= kMax; ++v) {
        bar->setValue(v);
        if (v % 1000 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    bar->setVisible(false);
    bar->setValue(bar->minimum());
}

} // namespace vb
