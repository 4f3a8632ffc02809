#include "core/Cini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using vb::Cini;

namespace {

struct IniFixture {
    QTemporaryDir dir;
    QString path() const { return QDir(dir.path()).filePath(QStringLiteral("agg.ini")); }
    void write(const QByteArray& content) const
    {
        QFile f(path());
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    QByteArray read() const
    {
        QFile f(path());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    Cini ini() const
    {
        Cini c;
        c.setFileName(path());
        c.setApplicationKey(QStringLiteral("db_remoto"));
        return c;
    }
};

} // namespace

TEST(Cini, GetValueCases)
{
    IniFixture f;
    const QByteArray longValue(150, 'a');
    f.write("[DB_Remoto]\r\n"
            "ip_conn=C:\\RegArchivio\\\r\n"
            "citta=Citt\xe0\r\n"
            "citta_utf8=Città\r\n"
            "spaced=   valore interno   \r\n"
            "long=" + longValue + "\r\n"
            "Cod_Int=\r\n"
            "[altra]\r\n"
            "solo_altra=x\r\n");
    const Cini ini = f.ini();
    struct Case { const char* key; const char* def; QString expected; };
    const Case cases[] = {
        {"ip_conn", "p", QStringLiteral("C:\\RegArchivio\\")},
        {"IP_CONN", "p", QStringLiteral("C:\\RegArchivio\\")},
        {"citta", "p", QStringLiteral("Citt")},
        {"citta_utf8", "p", QStringLiteral("Citt")},
        {"spaced", "p", QStringLiteral("valore interno")},
        {"long", "p", QString(99, u'a')},
        {"Cod_Int", "p", QStringLiteral("Error")},
        {"missing", "p", QStringLiteral("p")},
        {"missing", "", QStringLiteral("Error")},
        {"solo_altra", "p", QStringLiteral("p")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.GetValue(QString::fromLatin1(c.key), QString::fromLatin1(c.def)), c.expected);
    }
}

TEST(Cini, AByteOrderMarkBeforeTheFirstSectionIsIgnoredAndKept)
{
    IniFixture f;
    f.write("\xEF\xBB\xBF[db_remoto]\r\ndb_conn=archivio.db\r\n");
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("db_conn"), QStringLiteral("p")), QStringLiteral("archivio.db"));
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    EXPECT_EQ(f.read(), QByteArray("\xEF\xBB\xBF[db_remoto]\r\ndb_conn=archivio.db\r\nCod_Int=0\r\n"));
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("db_conn"), QStringLiteral("altro.db")));
    EXPECT_EQ(f.read(), QByteArray("\xEF\xBB\xBF[db_remoto]\r\ndb_conn=altro.db\r\nCod_Int=0\r\n"));
}

TEST(Cini, MissingFileGivesDefault)
{
    IniFixture f;
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("Cod_Int"), QStringLiteral("p")), QStringLiteral("p"));
}

TEST(Cini, PropertiesAreTrimmed)
{
    Cini c;
    c.setFileName(QStringLiteral("  /tmp/agg.ini  "));
    c.setApplicationKey(QStringLiteral(" db_remoto "));
    EXPECT_EQ(c.FileName(), QStringLiteral("/tmp/agg.ini"));
    EXPECT_EQ(c.ApplicationKey(), QStringLiteral("db_remoto"));
}

TEST(Cini, SetValueKeepsOtherLinesAndAddsMissingKey)
{
    IniFixture f;
    f.write("; impostazioni\r\n[db_remoto]\r\nip_conn=C:\\Arch\\\r\n\r\n[altra]\r\nx=1\r\n");
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    EXPECT_EQ(f.read(), QByteArray("; impostazioni\r\n[db_remoto]\r\nip_conn=C:\\Arch\\\r\nCod_Int=0\r\n\r\n[altra]\r\nx=1\r\n"));
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("cod_int"), QStringLiteral("1")));
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("Cod_Int"), QStringLiteral("p")), QStringLiteral("1"));
    EXPECT_EQ(f.read().count("od_int="), 1);
    EXPECT_TRUE(f.read().endsWith("[altra]\r\nx=1\r\n"));
}

TEST(Cini, SetValueAddsSectionAndFile)
{
    IniFixture f;
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    EXPECT_EQ(f.read(), QByteArray("[db_remoto]\nCod_Int=0\n"));
    f.write("[altra]\nx=1");
    ASSERT_TRUE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    EXPECT_EQ(f.read(), QByteArray("[altra]\nx=1\n[db_remoto]\nCod_Int=0\n"));
}

TEST(Cini, SetValueOnReadOnlyFileOrFolderReturnsFalse)
{
    IniFixture f;
    f.write("[db_remoto]\nCod_Int=1\n");
    ::chmod(f.path().toLocal8Bit().constData(), 0444);
    EXPECT_FALSE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    EXPECT_EQ(f.read(), QByteArray("[db_remoto]\nCod_Int=1\n"));
    ::chmod(f.path().toLocal8Bit().constData(), 0644);

    ::chmod(f.dir.path().toLocal8Bit().constData(), 0555);
    EXPECT_FALSE(f.ini().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));
    ::chmod(f.dir.path().toLocal8Bit().constData(), 0755);
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("Cod_Int"), QStringLiteral("p")), QStringLiteral("1"));
}
