#include "core/ui/WindowHelpers.h"

#include "core/Error.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

namespace vb {

void loadLogo(QLabel* image, const QString& path)
{
    QPixmap picture(path);
    if (picture.isNull())
        throw Error(QStringLiteral("Impossibile caricare l'immagine del logo: %1").arg(path));
    if (image) {
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
