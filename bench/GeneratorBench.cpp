#include "bench/Generator.h"

#include <benchmark/benchmark.h>

namespace {

// Times the filling of a new archive; making and removing the archive is left out.
void runGenerator(benchmark::State& state, const vb::bench::GeneratorOptions& options, int rowsPerArchive)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            vb::bench::BenchFolder folder;
            auto db = folder.open();
            state.ResumeTiming();
            const auto counts = vb::bench::generateArchive(*db, options);
            state.PauseTiming();
            benchmark::DoNotOptimize(counts);
        }
        state.ResumeTiming();
    }
    state.counters["rows_per_s"] =
        benchmark::Counter(double(rowsPerArchive) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_GenerateCashRows(benchmark::State& state)
{
    vb::bench::GeneratorOptions o;
    o.persons = 0;
    o.cashRows = int(state.range(0));
    runGenerator(state, o, o.cashRows);
}
BENCHMARK(BM_GenerateCashRows)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_GeneratePersonsWithFees(benchmark::State& state)
{
    vb::bench::GeneratorOptions o;
    o.persons = int(state.range(0));
    o.feesPerPerson = 5;
    o.cashRows = 0;
    runGenerator(state, o, o.persons);
}
BENCHMARK(BM_GeneratePersonsWithFees)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
