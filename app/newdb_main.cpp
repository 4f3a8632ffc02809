// vellumbra-newdb PATH KEY          makes a new archive at PATH encrypted with KEY
// vellumbra-newdb --setup FOLDER    lays out the program folder: "agg.ini", the archive
//                                   and the logo, each made only when missing
#include "core/Cini.h"
#include "core/Error.h"
#include "data/NewDatabase.h"

#include <QDir>
#include <QFileInfo>
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

void drawLogo(const QString& path)
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
    logo.save(path, "PNG");
}

int setup(const QString& folderArg)
{
    QDir folder(folderArg);
    if (!folder.mkpath(QStringLiteral(".")))
        return fail(QStringLiteral("cannot make folder %1").arg(folderArg));
    const QString dir = QDir::cleanPath(folder.absolutePath()) + QLatin1Char('/');
    vb::Cini ini;
    ini.setFileName(dir + QStringLiteral("agg.ini"));
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    const QString dbName = QStringLiteral("archivio.db");
    const QString logoPath = dir + QStringLiteral("logo.png");

    if (!QFileInfo::exists(logoPath))
        drawLogo(logoPath);

    if (!QFileInfo::exists(ini.FileName())) {
        if (QFileInfo::exists(dir + dbName))
            return fail(QStringLiteral("%1 exists without agg.ini: its key is unknown, so it is left as it is").arg(dir + dbName));
        const QString key = vb::data::newRawKey();
        vb::data::createDatabase(dir + dbName, key);
        const std::pair<const char*, QString> keys[] = {
            {"tipo_conn", QStringLiteral("sqlcipher")},
            {"prov_conn", QStringLiteral("Vellumbra.SQLCipher")},
            {"ip_conn", dir},
            {"uid_conn", QStringLiteral("Admin")},
            {"pwd_conn", key},
            {"db_conn", dbName},
            {"logo_conn", logoPath},
            {"Cod_Int", QStringLiteral("1")},
        };
        for (const auto& [k, v] : keys) {
            if (!ini.SetValue(QString::fromLatin1(k), v))
                return fail(QStringLiteral("cannot write %1").arg(ini.FileName()));
        }
        std::printf("made %s and %s\n", qPrintable(ini.FileName()), qPrintable(dir + dbName));
        return 0;
    }

    const QString p = QStringLiteral("p");
    const QString dbPath = ini.GetValue(QStringLiteral("ip_conn"), p) + ini.GetValue(QStringLiteral("db_conn"), p);
    if (!QFileInfo::exists(dbPath)) {
        vb::data::createDatabase(dbPath, ini.GetValue(QStringLiteral("pwd_conn"), p));
        std::printf("made %s with the key of agg.ini\n", qPrintable(dbPath));
    }
    return 0;
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
        if (args.size() == 3) {
            vb::data::createDatabase(args[1], args[2]);
            return 0;
        }
    } catch (const vb::Error& e) {
        return fail(e.description());
    }
    std::fprintf(stderr, "usage: vellumbra-newdb PATH KEY | vellumbra-newdb --setup FOLDER\n");
    return 2;
}
