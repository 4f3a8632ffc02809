#include "accounting/RegistroCassaPrint.h"
#include "bench/Generator.h"
#include "bench/ReportFloor.h"
#include "bench/ReportShowTiming.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportRenderer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

using namespace vb;

constexpr int kRounds = 5; // program and floor timed in turn, the medians compared

// A registry of |persons| on the shared report connection, with its design and logo.
struct RegistryFixture {
    explicit RegistryFixture(int persons)
    {
        db = folder.open();
        bench::generateArchive(*db, bench::GeneratorOptions::personsOnly(persons));
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        design = std::make_shared<const reports::ReportDesign>(reports::loadDesign(QStringLiteral("ReportAnagrafica")));
        state.picture = std::make_shared<QImage>(folder.logoPath());
        state.labels.insert(QStringLiteral("labelintestazione"), QStringLiteral("Associazione - Sezione locale"));
        state.date = QDate(2026, 12, 9);
    }
    ~RegistryFixture()
    {
        data::DataEnvironment1::instance().CloseAll();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    // Runs the command again and lays the report out, as a showing does.
    reports::ReportLayout layout() { return bench::layoutAgain(*design, state); }

    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db;
    std::shared_ptr<const reports::ReportDesign> design;
    reports::RuntimeState state;
};

// The query and the layout alone, at two sizes: the time per row stays the same.
void BM_RegistryLayout(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        const auto layout = f.layout();
        pages = layout.pageCount();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = double(pages);
    state.counters["rows_per_s"] = benchmark::Counter(double(state.range(0)) * double(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegistryLayout)
    ->Arg(5000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime()
    ->Complexity(benchmark::oN);

// The registry of 20,000 persons from the query to the written PDF, beside its floor: the
// same rows read with the bare sqlite3 calls and the same strings drawn at the same points
// with a bare QPainter on a QPdfWriter.
void BM_RegistryPdfBesideFloor(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    const QByteArray sql = data::DataEnvironment1::instance().command(f.design->dataMember).sql().toUtf8();
    const bench::FloorDocument floor = bench::floorOf(f.layout());
    bench::SideBySide timing;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            timing.program([&] {
                const auto layout = f.layout();
                QBuffer pdf;
                pdf.open(QIODevice::WriteOnly);
                reports::writePdf(layout, pdf);
                return pdf.size();
            });
            timing.floor([&] {
                bench::readBare(f.db->handle(), sql);
                QBuffer pdf;
                pdf.open(QIODevice::WriteOnly);
                bench::drawFloor(floor, pdf);
                return pdf.size();
            });
        }
    }
    timing.report(state, 1.25);
    state.counters["pages"] = double(floor.pages.size());
}
BENCHMARK(BM_RegistryPdfBesideFloor)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The registry of 20,000 persons shown and saved as PDF from its preview, as a window does.
void BM_RegistryShowAndPdf(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    reports::ShowOptions options;
    options.logoPath = f.folder.logoPath();
    options.headingLabel = QStringLiteral("LabelIntestazione");
    options.heading = QStringLiteral("Associazione - Sezione locale");
    bench::timeShowingAndPdf(state, QStringLiteral("ReportAnagrafica"), options,
                             f.folder.path() + QStringLiteral("/anagrafica.pdf"));
}
BENCHMARK(BM_RegistryShowAndPdf)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The registry laid out at |persons|, its first, middle and last pages drawn as the preview
// shows them: how much memory the layout takes beyond the rows of the command, which the
// record set keeps anyway. It stays the same at 100,000 and at 1,000,000 persons.
void BM_RegistryLayoutMemory(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    f.db.reset();
    auto& env = data::DataEnvironment1::instance();
    double rowsMb = 0, layoutMb = 0, peakMb = 0;
    int pages = 0;
    for (auto _ : state) {
        env.CloseAll();
        bench::trimHeap();
        const double before = bench::residentMb();
        env.Open(f.design->dataMember);
        bench::trimHeap();
        const double withRows = bench::residentMb();
        bench::resetPeakMemory();
        const auto layout = reports::layoutReport(f.design, env.Recordset(f.design->dataMember).sharedRows(), f.state);
        pages = layout.pageCount();
        for (int page : {0, pages / 2, pages - 1}) {
            QImage image(794, 1123, QImage::Format_RGB32);
            QPainter painter(&image);
            reports::renderPage(painter, layout, page, 96 / 25.4);
        }
        rowsMb = withRows - before;
        layoutMb = bench::peakMb() - withRows;
        peakMb = bench::peakMb();
    }
    state.counters["persons"] = double(state.range(0));
    state.counters["pages"] = double(pages);
    state.counters["rows_mb"] = rowsMb;
    state.counters["layout_mb"] = layoutMb;
    state.counters["peak_mb"] = peakMb;
}
BENCHMARK(BM_RegistryLayoutMemory)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

constexpr int kRegisterYear = 2026;
constexpr int kRegisterRows = 100000;

// One year of |kRegisterRows| cash-book rows in book 1, and the register's design.
struct RegisterFixture {
    RegisterFixture()
    {
        db = folder.open();
        bench::generateArchive(*db, bench::GeneratorOptions::oneCashYear(kRegisterRows, kRegisterYear));
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        design = std::make_shared<const reports::ReportDesign>(reports::loadDesign(QStringLiteral("RegistroCassa")));
        state.picture = std::make_shared<QImage>(folder.logoPath());
        state.labels.insert(QStringLiteral("label_intest"), QStringLiteral("Associazione - Sezione locale"));
        state.labels.insert(QStringLiteral("labelanno"), QString::number(kRegisterYear));
        state.date = QDate(2026, 12, 9);
    }
    ~RegisterFixture()
    {
        data::DataEnvironment1::instance().CloseAll();
        data::DataEnvironment1::instance().Connection1().Close();
    }

    // The register as the cash-book window prints it: the print table refilled, the
    // command run again and the pages laid out.
    reports::ReportLayout layout()
    {
        const accounting::RegisterTotals totals = accounting::FillStampaLibroCassa(*db, kRegisterYear);
        state.labels.insert(QStringLiteral("labeldifferenza"), totals.differenza);
        return bench::layoutAgain(*design, state);
    }

    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db;
    std::shared_ptr<const reports::ReportDesign> design;
    reports::RuntimeState state;
};

// The register of 100,000 rows to PDF beside its floor: the print table refilled by two
// bare statements, the rows read with the bare sqlite3 calls and the same strings drawn at
// the same points with a bare QPainter on a QPdfWriter.
void BM_RegisterPdfBesideFloor(benchmark::State& state)
{
    RegisterFixture f;
    const QByteArray sql = data::DataEnvironment1::instance().command(f.design->dataMember).sql().toUtf8();
    const bench::FloorDocument floor = bench::floorOf(f.layout());
    bench::SideBySide timing;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            timing.program([&] {
                const auto layout = f.layout();
                QBuffer pdf;
                pdf.open(QIODevice::WriteOnly);
                reports::writePdf(layout, pdf);
                return pdf.size();
            });
            timing.floor([&] {
                sqlite3_exec(f.db->handle(),
                             "BEGIN IMMEDIATE; DELETE FROM StampaLibroCassa;"
                             " INSERT INTO StampaLibroCassa (Data, CodiceCategoria, Tipo, Descrizione, Importo, ImportoE, ImportoU)"
                             " SELECT Data, CodiceCategoria, Tipo, Descrizione, Importo,"
                             " CASE WHEN Tipo = 'E' THEN Importo ELSE 0 END, CASE WHEN Tipo = 'E' THEN 0 ELSE Importo END"
                             " FROM LibroCassa WHERE Anno = 2026 ORDER BY Data, ID_LibroCassa; COMMIT;",
                             nullptr, nullptr, nullptr);
                bench::readBare(f.db->handle(), sql);
                QBuffer pdf;
                pdf.open(QIODevice::WriteOnly);
                bench::drawFloor(floor, pdf);
                return pdf.size();
            });
        }
    }
    timing.report(state, 1.25);
    state.counters["pages"] = double(floor.pages.size());
    state.counters["rows"] = kRegisterRows;
}
BENCHMARK(BM_RegisterPdfBesideFloor)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The register of 100,000 rows shown in its preview as the cash-book window shows it, paged
// to its last page: the highest the program's memory gets (goal 130 MB). Run on its own
// (--benchmark_filter=BM_RegisterPreviewPeakMemory) for a peak that owes nothing to the
// benchmarks before it.
void BM_RegisterPreviewPeakMemory(benchmark::State& state)
{
    RegisterFixture f;
    const accounting::RegisterTotals totals = accounting::FillStampaLibroCassa(*f.db, kRegisterYear);
    reports::ShowOptions options;
    options.logoPath = f.folder.logoPath();
    options.headingLabel = QStringLiteral("Label_Intest");
    options.heading = QStringLiteral("Associazione - Sezione locale");
    options.labels.insert(QStringLiteral("LabelAnno"), QString::number(kRegisterYear));
    options.labels.insert(QStringLiteral("LabelDifferenza"), totals.differenza);
    double startMb = 0, peakMb = 0;
    int pages = 0;
    for (auto _ : state) {
        data::DataEnvironment1::instance().CloseAll();
        bench::trimHeap();
        startMb = bench::residentMb();
        bench::resetPeakMemory();
        reports::showReport(QStringLiteral("RegistroCassa"), options);
        reports::ReportInstance& instance = reports::reportInstance(QStringLiteral("RegistroCassa"));
        instance.waitUntilReady();
        reports::ReportPreview* preview = instance.preview();
        QCoreApplication::processEvents();
        pages = preview->reportLayout().pageCount();
        preview->showPage(pages - 1);
        QCoreApplication::processEvents();
        peakMb = bench::peakMb();
        delete preview;
    }
    state.counters["pages"] = double(pages);
    state.counters["start_mb"] = startMb;
    state.counters["peak_mb"] = peakMb;
    state.counters["goal_mb"] = 130;
    state.counters["rows"] = kRegisterRows;
}
BENCHMARK(BM_RegisterPreviewPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace
