#include "accounting/LibroCassa.h"
#include "bench/Generator.h"

#include <QProcess>

#include <benchmark/benchmark.h>

// Two processes adding rows with their balances to one book at once, round after round:
// no add may be refused and every balance must come out right. A trial more than a
// timing; the test suite runs one round (ConcurrentWriters.*).
namespace {

using namespace vb;

#ifdef VB_CASHBOOK_WRITER

constexpr int kRows = 1000;

// Adds |kRows| rows as the cash-book window does; returns how many were refused.
int addRows(db::Database& db)
{
    accounting::LibroCassa book(db);
    int refused = 0;
    for (int i = 0; i < kRows; ++i) {
        accounting::CashRow row;
        row.data = QDate(2026, 6, 1);
        row.book = 1;
        row.codice = QStringLiteral("AQS");
        row.tipo = i % 3 ? QStringLiteral("E") : QStringLiteral("U");
        row.importo = Money::fromCents(100 + i);
        row.descrizione = QStringLiteral("NIL");
        row.anno = 2026;
        try {
            refused += book.add(row) ? 0 : 1;
        } catch (const Error&) {
            ++refused;
        }
    }
    return refused;
}

int wrongBalances(db::Database& db)
{
    auto rows = db.query(QStringLiteral("SELECT Tipo, Importo, Saldo FROM LibroCassa WHERE CodiceTestataCassa = 1 "
                                        "AND Anno = 2026 ORDER BY Data, ID_LibroCassa"));
    int wrong = 0;
    qint64 running = 0;
    while (rows.next()) {
        running += rows.text(0) == QStringLiteral("E") ? rows.integer(1) : -rows.integer(1);
        wrong += rows.integer(2) == running ? 0 : 1;
    }
    return wrong;
}

void BM_TwoWritersAtOnce(benchmark::State& state)
{
    const int rounds = int(state.range(0));
    int refused = 0;
    int wrong = 0;
    for (auto _ : state) {
        for (int r = 0; r < rounds; ++r) {
            bench::BenchFolder folder;
            QProcess other;
            other.start(QStringLiteral(VB_CASHBOOK_WRITER), {folder.databasePath(), QString::number(kRows)});
            other.waitForStarted();
            other.write(bench::BenchFolder::key().toUtf8() + '\n');
            other.waitForBytesWritten();
            other.closeWriteChannel();
            other.waitForReadyRead();
            auto db = folder.open();
            refused += addRows(*db);
            other.waitForFinished(-1);
            refused += other.exitCode() == 0 ? 0 : 1;
            wrong += wrongBalances(*db);
        }
    }
    if (refused || wrong)
        state.SkipWithError("an add was refused or a balance is wrong");
    state.counters["rounds"] = rounds;
    state.counters["refused"] = refused;
    state.counters["wrong_balances"] = wrong;
}
BENCHMARK(BM_TwoWritersAtOnce)->Arg(20)->Iterations(1)->Unit(benchmark::kMillisecond);

#endif

} // namespace
