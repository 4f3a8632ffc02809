#include "core/Cini.h"
#include "core/Database.h"
#include "core/Error.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <sys/stat.h>

// The set-up killed (SIGKILL) at a random moment and run again, a few dozen times: the
// folder must always come out usable. A trial, not a timing; it runs here rather than in
// every test run because each trial starts two processes.
namespace {

using namespace vb;

int privateMode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// Empty when the folder is usable: agg.ini names an archive that opens with its key,
// holds the heading row, and both files are private.
QString unusable(const QString& folder)
{
    Cini ini;
    ini.setFileName(QDir(folder).filePath(QStringLiteral("agg.ini")));
    ini.setApplicationKey(QStringLiteral("db_remoto"));
    const QString p = QStringLiteral("p");
    const QString archive = ini.GetValue(QStringLiteral("ip_conn"), p) + ini.GetValue(QStringLiteral("db_conn"), p);
    try {
        auto db = db::Database::open(archive, ini.GetValue(QStringLiteral("pwd_conn"), p));
        auto st = db->query(QStringLiteral("SELECT count(*) FROM Impostazioni WHERE CodiceImpostazioni = 1"));
        if (!st.next() || st.integer(0) != 1)
            return QStringLiteral("no heading row");
    } catch (const Error& e) {
        return e.description();
    }
    if (privateMode(ini.FileName()) != 0600 || privateMode(archive) != 0600)
        return QStringLiteral("agg.ini or the archive is not private");
    return QString();
}

void BM_SetupKilledAndRunAgain(benchmark::State& state)
{
    const QString tool = QStringLiteral(VB_NEWDB_PATH);
    const int trials = int(state.range(0));
    int killedMidRun = 0;
    int unusableFolders = 0;
    // Where the kills fell: what the killed run had left.
    int leftNothing = 0;
    int leftSettingsOnly = 0;
    int leftArchive = 0;
    for (auto _ : state) {
        QTemporaryDir root;
        // How long an uninterrupted set-up takes here, so that the kills fall across the
        // whole of it.
        QElapsedTimer whole;
        whole.start();
        QProcess::execute(tool, {QStringLiteral("--setup"), root.filePath(QStringLiteral("misura"))});
        const int span = int(std::max<qint64>(20, whole.elapsed()));

        for (int i = 0; i < trials; ++i) {
            const QString folder = root.filePath(QStringLiteral("prova%1").arg(i));
            QProcess first;
            first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            first.start(tool, {QStringLiteral("--setup"), folder});
            first.waitForStarted();
            QThread::msleep(QRandomGenerator::global()->bounded(span + span / 5));
            if (first.state() == QProcess::Running) {
                ++killedMidRun;
                first.kill();
            }
            first.waitForFinished();
            if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("agg.ini"))))
                ++leftNothing;
            else if (!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("archivio.db"))))
                ++leftSettingsOnly;
            else
                ++leftArchive;

            QProcess again;
            again.start(tool, {QStringLiteral("--setup"), folder});
            again.waitForFinished();
            const QString why = unusable(folder);
            if (!why.isEmpty()) {
                ++unusableFolders;
                state.SkipWithError(QStringLiteral("trial %1: folder unusable after a second run: %2 (%3)")
                                        .arg(i)
                                        .arg(why, QString::fromLocal8Bit(again.readAllStandardError()))
                                        .toStdString()
                                        .c_str());
            }
        }
    }
    state.counters["trials"] = trials;
    state.counters["killed_mid_run"] = killedMidRun;
    state.counters["unusable"] = unusableFolders;
    state.counters["left_nothing"] = leftNothing;
    state.counters["left_agg_ini_only"] = leftSettingsOnly;
    state.counters["left_archive"] = leftArchive;
}
BENCHMARK(BM_SetupKilledAndRunAgain)->Arg(40)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
