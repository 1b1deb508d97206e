#include <benchmark/benchmark.h>

#include "benchsupport.h"

namespace {

using namespace veskplan;
using veskplan::bench::BenchProgram;

// Each export of a 2000-row project with 9 categories (5 for the workbook, which holds no more).
template <ExportFormat::Id Format>
void BM_Export(benchmark::State& state) {
    BenchProgram program(6000, 2000, static_cast<int>(state.range(0)));
    MainController& c = *program.controller;
    c.editing().setProjectNumber(QStringLiteral("STP-12-B(7)03"));
    program.port.nextFile = program.path(QStringLiteral("out"));
    for (auto _ : state) {
        state.PauseTiming();  // a new file each time, so that no question is asked
        for (const char* written : {"out.txt", "out.xlsx"}) {
            QFile::remove(program.path(QString::fromLatin1(written)));
        }
        state.ResumeTiming();
        const CommandOutcome outcome = c.exports().exportAs(Format);
        if (outcome.kind != CommandOutcome::Kind::Written) {
            state.SkipWithError(outcome.message.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK_TEMPLATE(BM_Export, ExportFormat::Id::Trnsport)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Export, ExportFormat::Id::RoadCad)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Export, ExportFormat::Id::BridgeCad)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Export, ExportFormat::Id::Tabfill)->Arg(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
