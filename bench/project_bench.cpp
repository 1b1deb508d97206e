#include <benchmark/benchmark.h>

#include "benchsupport.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

namespace {

using namespace veskplan;
using veskplan::bench::BenchProgram;

// Adding one master item to a project of 2000 rows (the add is undone outside the timing).
void BM_AddOneItem(benchmark::State& state) {
    BenchProgram program(6000, 2000, 9);
    MainController& c = *program.controller;
    int row = 3;
    for (auto _ : state) {
        c.browsing().pickRow(row);
        c.editing().addCurrentMasterItem();
        state.PauseTiming();
        c.editing().removeCurrentItem();
        row = row % 5000 + 1;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddOneItem)->Unit(benchmark::kMicrosecond);

// Binding a just-opened project of 2000 rows, including the master revision check against a
// 60000-row list.
void BM_SetupGridWithRevisionCheck(benchmark::State& state) {
    BenchProgram program(60000, 2000, 9);
    ProjectDocument& document = program.controller->document();
    specialrows::ProjectContents contents;
    contents.hadRows = true;
    contents.items = document.items().records(IndexOrder::PrimaryKey);
    contents.masterDate = QStringLiteral("1/1/20");
    for (int i = 1; i <= 9; ++i) {
        contents.categories.append(CategoryList::numberText(i), QStringLiteral("C"));
    }
    for (auto _ : state) {
        state.PauseTiming();
        document.items().replaceAll(contents.items);
        program.controller->master().list().containsNumber(u"warm");  // built once per load
        state.ResumeTiming();
        program.controller->binding().bind(contents, true);
    }
}
BENCHMARK(BM_SetupGridWithRevisionCheck)->Unit(benchmark::kMillisecond);

// A 2000-row project with 9 categories, saved once as p.vsk.
std::unique_ptr<BenchProgram> savedProject() {
    auto program = std::make_unique<BenchProgram>(6000, 2000, 9);
    program->port.nextFile = program->path(QStringLiteral("p.vsk"));
    program->controller->files().saveAs();
    return program;
}

void BM_SaveProject(benchmark::State& state) {
    const auto program = savedProject();
    MainController& c = *program->controller;
    for (auto _ : state) {
        c.files().save();
    }
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_OpenProject(benchmark::State& state) {
    const auto program = savedProject();
    MainController& c = *program->controller;
    for (auto _ : state) {
        c.files().openFile(*program->port.nextFile);
    }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

// Opening an Access project of 2000 items in 9 categories (special rows too).
void BM_OpenAccessProject(benchmark::State& state) {
    BenchProgram program(6000, 0, 1);
    const QString path = QStringLiteral(VESKPLAN_SOURCE_DIR "/tests/data/mdb/large.mdb");
    for (auto _ : state) {
        program.controller->files().openFile(path);
    }
}
BENCHMARK(BM_OpenAccessProject)->Unit(benchmark::kMillisecond);

// Opening a project whose file holds 100000 header rows besides its items.
void BM_OpenManySpecialRows(benchmark::State& state) {
    BenchProgram program(6000, 0, 1);
    std::vector<ProjectRecord> rows;
    for (int i = 0; i < 100000; ++i) {
        rows.push_back(ProjectRecord{specialrows::secondHeader(), specialrows::cat(),
                                     QString::number(i), QStringLiteral("1"), std::nullopt});
    }
    const QString path = program.path(QStringLiteral("many.vsk"));
    projectfile::write(path, rows, {});
    for (auto _ : state) {
        program.controller->files().openFile(path);
    }
}
BENCHMARK(BM_OpenManySpecialRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
