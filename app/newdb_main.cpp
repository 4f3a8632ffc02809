// vellumbra-newdb PATH [--key-file FILE]   makes a new archive at PATH; its key is read
//                                          from FILE or else from the first line of the
//                                          standard input, never from the command line
//                                          (where the process list would show it)
// vellumbra-newdb --setup FOLDER            lays out the program folder: "agg.ini", the
//                                          archive and the logo, completing what an
//                                          interrupted set-up left
#include "core/Error.h"
#include "data/NewDatabase.h"
#include "data/ProgramSetup.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "vellumbra-newdb: %s\n", message.toLocal8Bit().constData());
    return 1;
}

QByteArray drawLogo()
{
    QImage logo(240, 240, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.setPen(QPen(QColor(0xc9, 0xa2, 0x27), 10));
    p.drawEllipse(QRectF(10, 10, 220, 220));
    p.setBrush(QColor(0xc9, 0xa2, 0x27));
    p.setPen(Qt::NoPen);
    const QPointF star[] = {{120, 40}, {140, 100}, {200, 100}, {150, 135}, {170, 195},
                            {120, 158}, {70, 195}, {90, 135}, {40, 100}, {100, 100}};
    p.drawPolygon(star, 10);
    p.end();
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    logo.save(&out, "PNG");
    return png;
}

int setup(const QString& folder)
{
    for (const QString& line : vb::data::prepareProgramFolder(folder, drawLogo()))
        std::printf("creato %s\n", line.toLocal8Bit().constData());
    return 0;
}

// The key: the first line of |keyFile|, or of the standard input when it is empty,
// without the line end.
QString readKey(const QString& keyFile)
{
    QFile in;
    bool opened = false;
    if (keyFile.isEmpty()) {
        opened = in.open(stdin, QIODevice::ReadOnly);
    } else {
        in.setFileName(keyFile);
        opened = in.open(QIODevice::ReadOnly);
    }
    if (!opened)
        throw vb::Error(QStringLiteral("impossibile leggere la chiave dal file %1").arg(keyFile));
    QByteArray key = in.readLine();
    while (key.endsWith('\n') || key.endsWith('\r'))
        key.chop(1);
    if (key.isEmpty())
        throw vb::Error(QStringLiteral("chiave vuota: scriverla sullo standard input o in un file indicato con --key-file"));
    return QString::fromUtf8(key);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    try {
        if (args.size() == 3 && args[1] == QStringLiteral("--setup"))
            return setup(args[2]);
        if (args.size() == 2 && !args[1].startsWith(QStringLiteral("--"))) {
            vb::data::createDatabase(args[1], readKey(QString()));
            return 0;
        }
        if (args.size() == 4 && args[2] == QStringLiteral("--key-file")) {
            vb::data::createDatabase(args[1], readKey(args[3]));
            return 0;
        }
    } catch (const vb::Error& e) {
        return fail(e.description());
    }
    std::fprintf(stderr, "uso: vellumbra-newdb PERCORSO [--key-file FILE] (la chiave si legge da FILE o dallo standard "
                         "input) | vellumbra-newdb --setup CARTELLA\n");
    return 2;
}
