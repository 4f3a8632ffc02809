#include "core/Cini.h"
#include "data/ProgramSetup.h"
#include "start/Backup.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace vb::test {
namespace {

// Files that hold the key or the members' data stay private under the usual umask, also
// when an older file they replace or copy was readable by everyone.
TEST_F(AppTest, TheKeyTheArchiveAndEveryBackupCopyArePrivateWhateverTheUmask)
{
    struct UmaskGuard {
        mode_t old = ::umask(022);
        ~UmaskGuard() { ::umask(old); }
    } guard;

    const QString fresh = QDir(folder.path()).filePath(QStringLiteral("nuova"));
    data::prepareProgramFolder(fresh, QByteArray("png"));

    // An agg.ini and an archive left readable by everyone by an older set-up.
    ::chmod(QFile::encodeName(folder.iniPath()).constData(), 0644);
    ::chmod(QFile::encodeName(folder.databasePath()).constData(), 0644);
    ASSERT_TRUE(Cini::programSettings().SetValue(QStringLiteral("Cod_Int"), QStringLiteral("0")));

    const QString usb = QDir(folder.path()).filePath(QStringLiteral("usb"));
    QDir().mkpath(usb);
    msgs.answerInput(usb);
    CopiaArchivio(folder.path() + u'/', QStringLiteral("archivio.db"));

    const struct {
        const char* after;
        QString file;
    } cases[] = {
        {"set-up: agg.ini", QDir(fresh).filePath(QStringLiteral("agg.ini"))},
        {"set-up: archive", QDir(fresh).filePath(QStringLiteral("archivio.db"))},
        {"rewrite of an agg.ini that was 0644", folder.iniPath()},
        {"backup of an archive that was 0644",
         QDir(usb).filePath(QStringLiteral("BackupRegArchivio/BackupRegArchivio al 09-12-2026.db"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        EXPECT_EQ(fileMode(c.file), 0600);
    }
}

} // namespace
} // namespace vb::test
