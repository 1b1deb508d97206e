#include <benchmark/benchmark.h>

#include "sampledata/sampledata.h"

namespace {

using veskplan::sampledata::Units;

// Generating a large master list: the tests and other benchmarks build 6000 to
// 60000 rows.
void BM_LargeMasterList(benchmark::State& state) {
    const int rows = int(state.range(0));
    veskplan::sampledata::masterList(Units::English);  // builds the catalogue once
    for (auto _ : state) {
        benchmark::DoNotOptimize(veskplan::sampledata::largeMasterList(rows, Units::English));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_LargeMasterList)->Arg(6000)->Arg(60000)->Arg(600000)->Unit(benchmark::kMillisecond);

void BM_BundledMasterList(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(veskplan::sampledata::masterList(Units::Metric));
    }
}
BENCHMARK(BM_BundledMasterList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
