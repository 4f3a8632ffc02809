#include "bench/Generator.h"
#include "bench/ReportShowTiming.h"
#include "data/DataEnvironment.h"
#include "reports/engine/ReportDesign.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportRenderer.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

namespace {

using namespace vb;

// A registry of |persons| on the shared report connection, with its design and logo.
struct RegistryFixture {
    explicit RegistryFixture(int persons)
    {
        bench::GeneratorOptions o;
        o.persons = persons;
        o.feesPerPerson = 0;
        o.cashRows = 0;
        o.postFees = false;
        {
            auto db = folder.open();
            bench::generateArchive(*db, o);
        }
        data::DataEnvironment1::instance().Connection1().Open(folder.databasePath());
        design = reports::loadDesign(QStringLiteral("ReportAnagrafica"));
        state.picture = std::make_shared<QImage>(folder.logoPath());
        state.labels.insert(QStringLiteral("labelintestazione"), QStringLiteral("Associazione - Sezione locale"));
        state.date = QDate(2026, 12, 9);
    }
    ~RegistryFixture() { data::DataEnvironment1::instance().Connection1().Close(); }

    // Runs the command again and lays the report out, as a showing does.
    reports::ReportLayout layout()
    {
        auto& env = data::DataEnvironment1::instance();
        env.Recordset(design.dataMember).Close();
        env.Open(design.dataMember);
        return reports::layoutReport(std::make_shared<const reports::ReportDesign>(design),
                                     env.Recordset(design.dataMember).sharedRows(), state);
    }

    bench::BenchFolder folder;
    reports::ReportDesign design;
    reports::RuntimeState state;
};

// The query and the layout alone, at two sizes: the time per row stays the same.
void BM_RegistryLayout(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    size_t pages = 0;
    for (auto _ : state) {
        const auto layout = f.layout();
        pages = size_t(layout.pageCount());
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

// The registry of 20,000 persons from the query to the written PDF.
void BM_RegistryPdf(benchmark::State& state)
{
    RegistryFixture f(int(state.range(0)));
    size_t pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const auto layout = f.layout();
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        reports::writePdf(layout, pdf);
        pages = size_t(layout.pageCount());
        bytes = pdf.size();
    }
    state.counters["pages"] = double(pages);
    state.counters["pdf_bytes"] = double(bytes);
    state.counters["pages_per_s"] =
        benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RegistryPdf)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

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

} // namespace
