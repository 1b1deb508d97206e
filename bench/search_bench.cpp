#include <benchmark/benchmark.h>

#include "benchsupport.h"

namespace {

using namespace veskplan;
using veskplan::bench::BenchProgram;

// Find Next through the whole 60000-row list without a match.
void BM_FindNextNoMatch(benchmark::State& state) {
    BenchProgram program(60000, 0, 1);
    MainController& c = *program.controller;
    c.browsing().setDescriptionSearch(QStringLiteral("NO SUCH TEXT"));
    for (auto _ : state) {
        c.browsing().findNext();
    }
}
BENCHMARK(BM_FindNextNoMatch)->Unit(benchmark::kMillisecond);

// The item-number jump for a number near the end of the 60000-row list.
void BM_ItemNumberJump(benchmark::State& state) {
    BenchProgram program(60000, 0, 1);
    MainController& c = *program.controller;
    const QString target = c.master().list().itemNumber(59989).toString();
    for (auto _ : state) {
        c.browsing().jumpToItemNumber(target);
    }
}
BENCHMARK(BM_ItemNumberJump)->Unit(benchmark::kMicrosecond);

// A two-character jump, as typed first: stops early.
void BM_ItemNumberJumpShort(benchmark::State& state) {
    BenchProgram program(60000, 0, 1);
    MainController& c = *program.controller;
    for (auto _ : state) {
        c.browsing().jumpToItemNumber(QStringLiteral("25"));
    }
}
BENCHMARK(BM_ItemNumberJumpShort)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
