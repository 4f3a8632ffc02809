#include "accounting/LibroCassa.h"
#include "accounting/RegistroCassaPrint.h"
#include "accounting/statement/Rendicontazione.h"
#include "accounting/ui/AccountingWindows.h"
#include "bench/BareArchive.h"
#include "bench/Generator.h"
#include "bench/ReportShowTiming.h"
#include "bench/SideBySide.h"
#include "core/ArchiveConnection.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportRenderer.h"
#include "ui/WindowRegistry.h"

#include <QAbstractItemModel>
#include <QBuffer>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QTableView>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace vb;

constexpr int kBook = 1;
constexpr int kYear = 2026;
constexpr int kRows = 100000;

// One book-year of |kRows| rows in book 1, its balances already right.
struct CashBookFixture {
    CashBookFixture()
    {
        db = folder.open();
        bench::generateArchive(*db, bench::GeneratorOptions::oneCashYear(kRows, kYear));
        db->execute(QStringLiteral("UPDATE LibroCassa SET CodiceTestataCassa = ?"), {kBook});
        accounting::LibroCassa(*db).RecomputeSaldo(kBook, kYear);
    }

    void spoilBalances() { db->execute(QStringLiteral("UPDATE LibroCassa SET Saldo = NULL")); }

    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db;
};

void rowsCounter(benchmark::State& state)
{
    state.counters["rows"] = kRows;
}

// Balances already right: one ordered read, nothing written.
void BM_RecomputeSaldoUnchanged(benchmark::State& state)
{
    CashBookFixture f;
    accounting::LibroCassa book(*f.db);
    for (auto _ : state)
        benchmark::DoNotOptimize(book.RecomputeSaldo(kBook, kYear));
    rowsCounter(state);
}
BENCHMARK(BM_RecomputeSaldoUnchanged)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The balances rewritten with the bare sqlite3 calls: one ordered SELECT, one prepared
// UPDATE per row, in one transaction. The floor of the recomputation.
void recomputeSaldoBare(sqlite3* h)
{
    sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* sel = nullptr;
    sqlite3_stmt* upd = nullptr;
    sqlite3_prepare_v2(h,
                       "SELECT ID_LibroCassa, Tipo, Importo FROM LibroCassa WHERE CodiceTestataCassa = ?1 AND Anno = ?2"
                       " ORDER BY Data, ID_LibroCassa",
                       -1, &sel, nullptr);
    sqlite3_prepare_v2(h, "UPDATE LibroCassa SET Saldo = ?1 WHERE ID_LibroCassa = ?2", -1, &upd, nullptr);
    sqlite3_bind_int(sel, 1, kBook);
    sqlite3_bind_int(sel, 2, kYear);
    std::vector<std::pair<sqlite3_int64, sqlite3_int64>> changes;
    sqlite3_int64 running = 0;
    while (sqlite3_step(sel) == SQLITE_ROW) {
        const char* tipo = reinterpret_cast<const char*>(sqlite3_column_text(sel, 1));
        const sqlite3_int64 importo = sqlite3_column_int64(sel, 2);
        if (tipo && tipo[0] == 'E' && tipo[1] == 0)
            running += importo;
        else if (tipo && tipo[0] == 'U' && tipo[1] == 0)
            running -= importo;
        changes.emplace_back(sqlite3_column_int64(sel, 0), running);
    }
    for (const auto& [id, saldo] : changes) {
        sqlite3_bind_int64(upd, 1, saldo);
        sqlite3_bind_int64(upd, 2, id);
        sqlite3_step(upd);
        sqlite3_reset(upd);
    }
    sqlite3_finalize(sel);
    sqlite3_finalize(upd);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
}

// Every balance to rewrite, as after a row dated before all the others: the rule beside
// the bare rewrite, each after the balances were spoilt.
void BM_RecomputeSaldoBesideFloor(benchmark::State& state)
{
    CashBookFixture f;
    accounting::LibroCassa book(*f.db);
    bench::SideBySide timing;
    int written = 0;
    for (auto _ : state) {
        f.spoilBalances();
        timing.program([&] { written = book.RecomputeSaldo(kBook, kYear); });
        f.spoilBalances();
        timing.floor([&] { recomputeSaldoBare(f.db->handle()); });
    }
    timing.report(state, 1.3);
    state.counters["written"] = written;
    rowsCounter(state);
}
BENCHMARK(BM_RecomputeSaldoBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The statement's work table refilled from the year's cash-book rows, beside the same
// statements run with the bare sqlite3 calls in one transaction.
void BM_StatementRebuildBesideFloor(benchmark::State& state)
{
    CashBookFixture f;
    sqlite3* h = f.db->handle();
    bench::SideBySide timing;
    for (auto _ : state) {
        timing.program([&] { benchmark::DoNotOptimize(statement::RebuildRendicontazione(*f.db, kYear)); });
        timing.floor([&] {
            sqlite3_exec(h, "BEGIN IMMEDIATE; DELETE FROM Rendicontazione;", nullptr, nullptr, nullptr);
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(
                h,
                "INSERT INTO Rendicontazione (TestataCassa, EntrataUscita, Codice, DescrCodice, Data, Anno, Importo,"
                " ImportoE, ImportoU, RiceNum, Causale)"
                " SELECT TestateLibroCassa.TestataCassa, LibroCassa.Tipo, LibroCassa.CodiceCategoria,"
                " IFNULL(LibroCassa.CodiceCategoria, '') || ' - ' || IFNULL(TabellaCodici.CodDescrizione, ''),"
                " LibroCassa.Data, LibroCassa.Anno, LibroCassa.Importo,"
                " CASE WHEN LibroCassa.Tipo = 'E' THEN LibroCassa.Importo ELSE 0 END,"
                " CASE WHEN LibroCassa.Tipo = 'U' THEN LibroCassa.Importo ELSE 0 END,"
                " LibroCassa.RicevutaNumero, LibroCassa.Descrizione"
                " FROM TestateLibroCassa"
                " INNER JOIN LibroCassa ON TestateLibroCassa.CodiceTestataCassa = LibroCassa.CodiceTestataCassa"
                " LEFT JOIN TabellaCodici ON TabellaCodici.Codice = LibroCassa.CodiceCategoria"
                " WHERE LibroCassa.Anno = ?1 ORDER BY LibroCassa.Data ASC, LibroCassa.ID_LibroCassa ASC",
                -1, &st, nullptr);
            sqlite3_bind_int(st, 1, kYear);
            sqlite3_step(st);
            sqlite3_finalize(st);
            sqlite3_prepare_v2(h, "SELECT IFNULL(SUM(ImportoE), 0), IFNULL(SUM(ImportoU), 0) FROM Rendicontazione", -1,
                               &st, nullptr);
            sqlite3_step(st);
            benchmark::DoNotOptimize(sqlite3_column_int64(st, 0) - sqlite3_column_int64(st, 1));
            sqlite3_finalize(st);
            sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
        });
    }
    timing.report(state, 1.3);
    rowsCounter(state);
}
BENCHMARK(BM_StatementRebuildBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// A window's own connection as every window opens it at load (agg.ini read, connection
// string, open, key check) and closes it, beside the bare open and close of the archive
// with the program's settings.
void BM_WindowConnectionBesideFloor(benchmark::State& state)
{
    bench::BenchFolder folder;
    // The program keeps a connection open meanwhile (its menu windows), so the archive's
    // write-ahead log is not folded back and removed at each close.
    auto menu = folder.open();
    bench::GeneratorOptions o;
    o.cashRows = 1000;
    bench::generateArchive(*menu, o);
    bench::SideBySide timing;
    for (auto _ : state) {
        timing.program([&] { benchmark::DoNotOptimize(OpenArchiveConnection().db.get()); });
        timing.floor([&] { sqlite3_close(bench::openBare(folder.databasePath(), bench::BenchFolder::key())); });
    }
    timing.report(state, 1.4);
}
BENCHMARK(BM_WindowConnectionBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(200)->UseRealTime();

// A row added before all the others: the add rule with its recomputation of the book-year.
void BM_AddEarliestRow(benchmark::State& state)
{
    CashBookFixture f;
    accounting::LibroCassa book(*f.db);
    accounting::CashRow row;
    row.data = QDate(kYear, 1, 1);
    row.book = kBook;
    row.codice = QStringLiteral("AQS");
    row.tipo = QStringLiteral("E");
    row.importo = Money::fromCents(1000);
    row.descrizione = QStringLiteral("NIL");
    row.anno = kYear;
    for (auto _ : state) {
        const std::optional<qint64> id = book.add(row);
        state.PauseTiming();
        book.remove(*id);
        state.ResumeTiming();
    }
    rowsCounter(state);
}
BENCHMARK(BM_AddEarliestRow)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The cash-book window's grid refresh of the book-year (the month box's empty item).
void BM_FormCassaRefreshGrid(benchmark::State& state)
{
    CashBookFixture f;
    registerAccountingWindows();
    QWidget* w = showWindow(QStringLiteral("FormCassa"));
    auto* books = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
    books->setCurrentIndex(books->findText(QStringLiteral("Cassa contanti")));
    emit books->activated(books->currentIndex());
    auto* months = w->findChild<QComboBox*>(QStringLiteral("Combo4"));
    auto* grid = w->findChild<QTableView*>(QStringLiteral("MSHFlexGrid1"));
    for (auto _ : state) {
        emit months->activated(0);
        QCoreApplication::processEvents();
    }
    state.counters["grid_rows"] = grid->model()->rowCount();
    WindowRegistry::instance().closeAll();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_FormCassaRefreshGrid)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The grid's query read with the bare sqlite3 calls: the floor of the refresh.
void BM_GridQueryFloorSqlite(benchmark::State& state)
{
    CashBookFixture f;
    sqlite3* h = f.db->handle();
    for (auto _ : state) {
        sqlite3_stmt* sel = nullptr;
        sqlite3_prepare_v2(h,
                           "SELECT ID_LibroCassa, Data, Tipo, CodiceCategoria, Importo, Saldo, RicevutaNumero, Descrizione"
                           " FROM LibroCassa WHERE Anno = ?1 AND CodiceTestataCassa = ?2 ORDER BY Data, ID_LibroCassa",
                           -1, &sel, nullptr);
        sqlite3_bind_int(sel, 1, kYear);
        sqlite3_bind_int(sel, 2, kBook);
        sqlite3_int64 sum = 0;
        size_t textBytes = 0;
        while (sqlite3_step(sel) == SQLITE_ROW) {
            sum += sqlite3_column_int64(sel, 4);
            textBytes += size_t(sqlite3_column_bytes(sel, 1)) + size_t(sqlite3_column_bytes(sel, 7));
        }
        sqlite3_finalize(sel);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(textBytes);
    }
    rowsCounter(state);
}
BENCHMARK(BM_GridQueryFloorSqlite)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The register's print table emptied and refilled for the year.
void BM_RegisterRefill(benchmark::State& state)
{
    CashBookFixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(accounting::FillStampaLibroCassa(*f.db, kYear));
    rowsCounter(state);
}
BENCHMARK(BM_RegisterRefill)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The same refill as two bare statements run through sqlite3_exec: the floor.
void BM_RegisterRefillFloorSqlite(benchmark::State& state)
{
    CashBookFixture f;
    sqlite3* h = f.db->handle();
    for (auto _ : state) {
        sqlite3_exec(h,
                     "BEGIN IMMEDIATE; DELETE FROM StampaLibroCassa;"
                     " INSERT INTO StampaLibroCassa (Data, CodiceCategoria, Tipo, Descrizione, Importo, ImportoE, ImportoU)"
                     " SELECT Data, CodiceCategoria, Tipo, Descrizione, Importo,"
                     " CASE WHEN Tipo = 'E' THEN Importo ELSE 0 END, CASE WHEN Tipo = 'E' THEN 0 ELSE Importo END"
                     " FROM LibroCassa WHERE Anno = 2026 ORDER BY Data, ID_LibroCassa; COMMIT;",
                     nullptr, nullptr, nullptr);
    }
    rowsCounter(state);
}
BENCHMARK(BM_RegisterRefillFloorSqlite)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// The whole printout to PDF: refill, the report's command, the layout and the written file.
void BM_RegisterPdf(benchmark::State& state)
{
    CashBookFixture f;
    auto& env = data::DataEnvironment1::instance();
    env.Connection1().Open(f.folder.databasePath());
    const reports::ReportDesign design = reports::loadDesign(QStringLiteral("RegistroCassa"));
    reports::RuntimeState runtime;
    runtime.picture = std::make_shared<QImage>(f.folder.logoPath());
    runtime.labels.insert(QStringLiteral("label_intest"), QStringLiteral("Associazione - Sezione locale"));
    runtime.labels.insert(QStringLiteral("labelanno"), QString::number(kYear));
    runtime.date = QDate(2026, 12, 9);
    size_t pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const accounting::RegisterTotals totals = accounting::FillStampaLibroCassa(*f.db, kYear);
        runtime.labels.insert(QStringLiteral("labeldifferenza"), totals.differenza);
        env.Recordset(design.dataMember).Close();
        env.Open(design.dataMember);
        const reports::ReportLayout layout =
            reports::layoutReport(std::make_shared<const reports::ReportDesign>(design),
                                  env.Recordset(design.dataMember).sharedRows(), runtime);
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        reports::writePdf(layout, pdf);
        pages = size_t(layout.pageCount());
        bytes = pdf.size();
    }
    env.Recordset(design.dataMember).Close();
    env.Connection1().Close();
    state.counters["pages"] = double(pages);
    state.counters["pdf_bytes"] = double(bytes);
    rowsCounter(state);
}
BENCHMARK(BM_RegisterPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

namespace {

// The register shown as the cash-book window shows it, then saved as PDF from its preview:
// the window waits only for the first paint; the rest runs on worker threads.
void BM_RegisterShowAndPdf(benchmark::State& state)
{
    CashBookFixture f;
    auto& env = data::DataEnvironment1::instance();
    env.Connection1().Open(f.folder.databasePath());
    const accounting::RegisterTotals totals = accounting::FillStampaLibroCassa(*f.db, kYear);
    reports::ShowOptions options;
    options.logoPath = f.folder.logoPath();
    options.headingLabel = QStringLiteral("Label_Intest");
    options.heading = QStringLiteral("Associazione - Sezione locale");
    options.labels.insert(QStringLiteral("LabelAnno"), QString::number(kYear));
    options.labels.insert(QStringLiteral("LabelDifferenza"), totals.differenza);
    bench::timeShowingAndPdf(state, QStringLiteral("RegistroCassa"), options,
                             f.folder.path() + QStringLiteral("/registro.pdf"));
    env.Connection1().Close();
    rowsCounter(state);
}
BENCHMARK(BM_RegisterShowAndPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
