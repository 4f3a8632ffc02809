#include "bench/Generator.h"
#include "members/lists/MemberLists.h"
#include "members/lists/ReportSelections.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vb;

// 100,000 persons with the fees of the last years, made once for every list benchmark.
struct LargeMembers {
    LargeMembers()
    {
        bench::GeneratorOptions o;
        o.persons = 100000;
        o.feesPerPerson = 2;
        o.cashRows = 0;
        o.postFees = false;
        o.firstYear = 2019;
        o.years = 8; // fees of 2025 and 2026
        db = folder.open();
        bench::generateArchive(*db, o);
    }
    bench::BenchFolder folder;
    std::unique_ptr<db::Database> db;
};

db::Database& members()
{
    static LargeMembers m;
    return *m.db;
}

void BM_ListsFeeList(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        benchmark::DoNotOptimize(lists::feeList(db, 2026).lines.size());
}
BENCHMARK(BM_ListsFeeList)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsNumberedListRefill(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        benchmark::DoNotOptimize(lists::refillStampaSoci(db, 2026).lines.size());
}
BENCHMARK(BM_ListsNumberedListRefill)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsBirthdays(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        benchmark::DoNotOptimize(lists::birthdayList(db, 1, 12, QDate(2026, 12, 9)).lines.size());
}
BENCHMARK(BM_ListsBirthdays)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsGoodStandingMarking(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        lists::markSociEffettivi(db, 2026);
}
BENCHMARK(BM_ListsGoodStandingMarking)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_ListsLapsedMarking(benchmark::State& state)
{
    auto& db = members();
    for (auto _ : state)
        lists::markSociDecaduti(db, 2026);
}
BENCHMARK(BM_ListsLapsedMarking)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace
