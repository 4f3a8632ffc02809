#include "accounting/tests/CashBookWriter.h"

#include <QElapsedTimer>
#include <QProcess>

namespace vb::accounting {
namespace {

// Two processes add rows with their balances to the same book at once: the waiting one
// gets the archive between two transactions of the other, so no add is refused, and the
// balances of the book come out right.
TEST(ConcurrentWriters, TwoProcessesAddingRowsAtOnceAreNeverRefusedAndKeepTheBalancesRight)
{
    constexpr int kRows = 1000;
    vb::test::ProgramFolder folder;
    QProcess other;
    other.setProcessChannelMode(QProcess::SeparateChannels);
    other.start(QStringLiteral(VB_CASHBOOK_WRITER), {folder.databasePath(), QString::number(kRows)});
    ASSERT_TRUE(other.waitForStarted());
    other.write(vb::test::ProgramFolder::key().toUtf8() + '\n');
    ASSERT_TRUE(other.waitForBytesWritten(30000));
    other.closeWriteChannel();
    // It says when its archive is open, so that the two write at once.
    ASSERT_TRUE(other.waitForReadyRead(30000));

    QElapsedTimer time;
    time.start();
    auto db = folder.open();
    const QStringList refused = test::addCashRows(*db, kRows, QStringLiteral("questo"));
    ASSERT_TRUE(other.waitForFinished(240000)) << "the other writer did not end";
    EXPECT_EQ(refused, QStringList());
    EXPECT_EQ(other.exitCode(), 0) << other.readAllStandardError().toStdString();
    RecordProperty("milliseconds", int(time.elapsed()));

    // The running balance of every row, recomputed here by date then key.
    auto rows = db->query(QStringLiteral("SELECT Tipo, Importo, Saldo, Descrizione FROM LibroCassa "
                                         "WHERE CodiceTestataCassa = 1 AND Anno = 2026 ORDER BY Data, ID_LibroCassa"));
    int n = 0;
    int wrong = 0;
    int turns = 0; // how often the writer changes along the rows
    qint64 running = 0;
    QString last;
    while (rows.next()) {
        ++n;
        running += rows.text(0) == QStringLiteral("E") ? rows.integer(1) : -rows.integer(1);
        wrong += rows.integer(2) == running ? 0 : 1;
        turns += (!last.isEmpty() && rows.text(3) != last) ? 1 : 0;
        last = rows.text(3);
    }
    EXPECT_EQ(n, 2 * kRows);
    EXPECT_EQ(wrong, 0);
    // Taking turns they alternate nearly row by row; a writer that starved waits for the
    // other's whole run and the writer changes once or twice.
    EXPECT_GT(turns, 100);
}

} // namespace
} // namespace vb::accounting
