#include "core/Error.h"
#include "ui/PlainTextDelegate.h"
#include "ui/QtMessageService.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

QString pictureFile(const QTemporaryDir& dir, QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    const QString path = dir.filePath(QStringLiteral("logo.png"));
    picture.save(path, "PNG");
    return path;
}

} // namespace

TEST(LoadLogo, ALargePictureShrinksWholeIntoItsBoxAndASmallOneStaysAsItIs)
{
    QTemporaryDir dir;
    struct Case {
        const char* what;
        QSize picture;
        std::function<void(QLabel&)> box;
        QSize shown;
    };
    const Case cases[] = {
        {"fixed box, wide picture", {800, 400}, [](QLabel& l) { l.setFixedSize(96, 72); }, {96, 48}},
        {"fixed height", {1200, 1200}, [](QLabel& l) { l.setFixedHeight(120); }, {120, 120}},
        {"minimum height only", {240, 240}, [](QLabel& l) { l.setMinimumHeight(140); }, {140, 140}},
        {"smaller than the box", {60, 40}, [](QLabel& l) { l.setFixedHeight(120); }, {60, 40}},
        {"unbounded box", {500, 300}, [](QLabel&) {}, {500, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QLabel image;
        c.box(image);
        vb::loadLogo(&image, pictureFile(dir, c.picture));
        EXPECT_EQ(image.pixmap().size(), c.shown);
    }
}

TEST(LoadLogo, AMissingPictureIsAnError)
{
    QLabel image;
    EXPECT_THROW(vb::loadLogo(&image, QStringLiteral("/nessuna/cartella/logo.png")), vb::Error);
    EXPECT_TRUE(image.pixmap().isNull());
}

TEST(RunProgressBar, AlwaysRunsFromZeroTo12250ThenHides)
{
    QProgressBar bar;
    bar.setVisible(false);
    int steps = 0;
    int last = -1;
    bool inOrder = true;
    QObject::connect(&bar, &QProgressBar::valueChanged, [&](int v) {
        if (v != 0) {
            inOrder = inOrder && v == last + 1;
            last = v;
            ++steps;
        } else {
            last = 0;
        }
    });
    vb::RunProgressBar(&bar);
    EXPECT_EQ(steps, 12250);
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(bar.maximum(), 12250);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_TRUE(bar.isHidden());
}

TEST(QtMessageService, AFolderBoxOffersThePickerAndAnswersWithThePickedFolder)
{
    QTemporaryDir drive;
    vb::QtMessageService service;
    QString typedAfterPicking;
    bool pickerShown = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* browse = box->findChild<QPushButton*>(QStringLiteral("Sfoglia"));
        ASSERT_NE(browse, nullptr);
        EXPECT_EQ(browse->text(), QStringLiteral("Sfoglia..."));
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            pickerShown = picker != nullptr;
            if (!picker)
                return;
            picker->selectFile(drive.path());
            QMetaObject::invokeMethod(picker, "accept");
        });
        browse->click();
        typedAfterPicking = box->findChild<QLineEdit*>(QStringLiteral("Cartella"))->text();
        box->accept();
    });
    const QString answer = service.input({QStringLiteral("Cartella?"), QStringLiteral("Copia di salvataggio"), QString(),
                                          -1, -1, true});
    EXPECT_TRUE(pickerShown);
    EXPECT_EQ(typedAfterPicking, drive.path());
    EXPECT_EQ(answer, drive.path());
}

TEST(PlainTextDelegate, ATextWiderThanItsCellEndsOnAWholeCharacterWithAnEllipsis)
{
    const QFontMetrics fm(QApplication::font());
    const QString name = QStringLiteral("Dell'Orto Niccolò Maria Giovanna");
    const int whole = fm.horizontalAdvance(name);
    EXPECT_EQ(vb::PlainTextDelegate::shownText(fm, name, whole), name);
    for (int room : {whole - 1, whole / 2, fm.horizontalAdvance(QStringLiteral("Dell…"))}) {
        SCOPED_TRACE(room);
        const QString shown = vb::PlainTextDelegate::shownText(fm, name, room);
        ASSERT_TRUE(shown.endsWith(QChar(0x2026)));
        EXPECT_TRUE(name.startsWith(shown.chopped(1)));
        EXPECT_LE(fm.horizontalAdvance(shown), room);
    }
}
