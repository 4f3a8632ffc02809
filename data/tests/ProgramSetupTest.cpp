#include "core/Cini.h"
#include "core/Database.h"
#include "core/Error.h"
#include "data/NewDatabase.h"
#include "data/ProgramSetup.h"
#include "tests/support/TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace vb;

namespace {

const QString kKey = QStringLiteral("x'00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF'");
const QString kOtherKey = QStringLiteral("x'FF112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF'");

// A program folder as an interrupted set-up may have left it.
class HalfMadeFolder {
public:
    QString path(const QString& name = QString()) const { return name.isEmpty() ? m_dir.path() : m_dir.filePath(name); }
    QString archive() const { return path(data::kArchiveFileName); }
    QString iniPath() const { return path(QStringLiteral("agg.ini")); }

    Cini ini() const
    {
        Cini c;
        c.setFileName(iniPath());
        c.setApplicationKey(QStringLiteral("db_remoto"));
        return c;
    }
    // The keys in the order the former set-up wrote them, one save each, up to |count|.
    void writeIniKeys(int count, const QString& key = kKey) const
    {
        const std::pair<const char*, QString> keys[] = {
            {"tipo_conn", QStringLiteral("sqlcipher")},       {"prov_conn", QStringLiteral("Vellumbra.SQLCipher")},
            {"ip_conn", path() + QLatin1Char('/')},           {"uid_conn", QStringLiteral("Admin")},
            {"pwd_conn", key},                                {"db_conn", data::kArchiveFileName},
            {"logo_conn", path(QStringLiteral("logo.png"))}, {"Cod_Int", QStringLiteral("1")},
        };
        for (int i = 0; i < count; ++i)
            ini().SetValue(QString::fromLatin1(keys[i].first), keys[i].second);
    }
    void writeFile(const QString& name, const QByteArray& content) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray digest() const
    {
        QCryptographicHash h(QCryptographicHash::Sha256);
        for (const QString& name : QDir(path()).entryList(QDir::Files, QDir::Name)) {
            QFile f(path(name));
            f.open(QIODevice::ReadOnly);
            h.addData(name.toUtf8());
            h.addData(f.readAll());
        }
        return h.result();
    }

private:
    QTemporaryDir m_dir;
};

// The folder is usable: agg.ini names an archive that opens with its key and holds the
// heading row, and both files are private.
void expectUsable(const HalfMadeFolder& f)
{
    const Cini ini = f.ini();
    for (const char* key : {"tipo_conn", "prov_conn", "ip_conn", "uid_conn", "pwd_conn", "db_conn", "logo_conn"})
        EXPECT_NE(ini.GetValue(QString::fromLatin1(key), QStringLiteral("p")), QStringLiteral("p")) << key;
    const QString archive = ini.GetValue(QStringLiteral("ip_conn"), QStringLiteral("p"))
        + ini.GetValue(QStringLiteral("db_conn"), QStringLiteral("p"));
    EXPECT_EQ(archive, f.archive());
    auto db = db::Database::open(archive, ini.GetValue(QStringLiteral("pwd_conn"), QStringLiteral("p")));
    auto st = db->query(QStringLiteral("SELECT count(*) FROM Impostazioni WHERE CodiceImpostazioni = 1"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer(0), 1);
    for (const QString& file : {f.iniPath(), f.archive()})
        EXPECT_EQ(test::fileMode(file), 0600) << file.toStdString();
    EXPECT_EQ(QDir(f.path()).entryList({QStringLiteral("*.nuovo*"), QStringLiteral("p"), QStringLiteral("pp")}, QDir::Files),
              QStringList());
}

QString refusal(const HalfMadeFolder& f)
{
    try {
        data::prepareProgramFolder(f.path(), QByteArray("png"));
    } catch (const Error& e) {
        return e.description();
    }
    return QString();
}

} // namespace

TEST(ProgramSetup, AFolderLeftHalfMadeIsCompletedOrReportedUntouched)
{
    struct Case {
        const char* name;
        std::function<void(HalfMadeFolder&)> leave;
        bool completed;
        const char* message; // part of the refusal
    };
    const Case cases[] = {
        {"empty folder", [](HalfMadeFolder&) {}, true, ""},
        {"agg.ini whole, the archive killed while being built",
         [](HalfMadeFolder& f) {
             f.writeIniKeys(8);
             f.writeFile(data::kArchiveFileName + QStringLiteral(".nuovo"), QByteArray(4096, '\x5a'));
             f.writeFile(data::kArchiveFileName + QStringLiteral(".nuovo-wal"), QByteArray(100, '\x01'));
         },
         true, ""},
        {"agg.ini whole, an orphan log of an archive that is gone",
         [](HalfMadeFolder& f) {
             f.writeIniKeys(8);
             f.writeFile(data::kArchiveFileName + QStringLiteral("-wal"), QByteArray(5000, '\x02'));
         },
         true, ""},
        {"archive of 0 bytes, no agg.ini",
         [](HalfMadeFolder& f) { f.writeFile(data::kArchiveFileName, QByteArray()); }, true, ""},
        {"archive with no table yet, agg.ini whole",
         [](HalfMadeFolder& f) {
             f.writeIniKeys(8);
             db::Database::open(f.archive(), kKey, db::Database::Mode::Create)
                 ->executeScript(QStringLiteral("PRAGMA journal_mode = WAL; PRAGMA user_version = 1;"));
         },
         true, ""},
        {"archive whole, agg.ini written up to the key",
         [](HalfMadeFolder& f) {
             data::createDatabase(f.archive(), kKey);
             f.writeIniKeys(5);
         },
         true, ""},
        {"archive whole, no agg.ini",
         [](HalfMadeFolder& f) { data::createDatabase(f.archive(), kKey); }, false, "manca o non la contiene"},
        {"archive whole, agg.ini written up to the key, the key left out",
         [](HalfMadeFolder& f) {
             data::createDatabase(f.archive(), kKey);
             f.writeIniKeys(4);
         },
         false, "rieseguire la preparazione"},
        {"archive made with another key",
         [](HalfMadeFolder& f) {
             data::createDatabase(f.archive(), kOtherKey);
             f.writeIniKeys(8);
         },
         false, "password è errata"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HalfMadeFolder f;
        c.leave(f);
        const QByteArray before = f.digest();
        const QString message = refusal(f);
        if (c.completed) {
            EXPECT_TRUE(message.isEmpty()) << message.toStdString();
            expectUsable(f);
            EXPECT_TRUE(QFileInfo::exists(f.path(QStringLiteral("logo.png"))));
        } else {
            EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
            EXPECT_TRUE(message.contains(QDir::toNativeSeparators(f.archive()))) << message.toStdString();
            EXPECT_TRUE(message.endsWith(QStringLiteral("Nulla è stato modificato."))) << message.toStdString();
            EXPECT_EQ(f.digest(), before);
        }
    }
}

TEST(ProgramSetup, AWholeArchiveKeepsItsKeyAndItsRowsAndASecondRunChangesNothing)
{
    HalfMadeFolder f;
    data::createDatabase(f.archive(), kKey);
    db::Database::open(f.archive(), kKey)->execute(QStringLiteral("INSERT INTO TabellaNominativi (Cognome) VALUES ('Rossi')"));
    f.writeIniKeys(5); // killed after the key: db_conn, logo_conn and Cod_Int are missing

    data::prepareProgramFolder(f.path(), QByteArray("png"));
    expectUsable(f);
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("pwd_conn"), QStringLiteral("p")), kKey);
    // An archive that was already there asks for no new heading.
    EXPECT_EQ(f.ini().GetValue(QStringLiteral("Cod_Int"), QStringLiteral("p")), QStringLiteral("p"));
    const auto archive = db::Database::open(f.archive(), kKey); // outlives its statement
    auto st = archive->query(QStringLiteral("SELECT count(*) FROM TabellaNominativi"));
    ASSERT_TRUE(st.next());
    EXPECT_EQ(st.integer(0), 1);

    const QByteArray before = f.digest();
    EXPECT_TRUE(data::prepareProgramFolder(f.path(), QByteArray("png")).isEmpty());
    EXPECT_EQ(f.digest(), before);
}
