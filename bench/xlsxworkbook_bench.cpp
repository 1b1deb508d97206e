// The quantity workbook export as the program runs it: open the seed, keep one template
// sheet, fill 2000 item rows of 10 cells, save. Run by hand:
//   bin/xlsxworkbook_bench [--benchmark_filter=...]
// The seed is read from $VESKPLAN_DATA, else from beside the program (where the build puts
// the data files).
#include "ooxml/xlsxworkbook.h"

#include <benchmark/benchmark.h>
#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace Qt::Literals::StringLiterals;
using veskplan::XlsxWorkbook;

constexpr int kRows = 2000;
QString seedPath;

XlsxWorkbook openTemplate() {
    XlsxWorkbook workbook = XlsxWorkbook::open(seedPath);
    workbook.keepOnlySheet(u"e100-01c"_s, u"Tabfill"_s);
    return workbook;
}

// Line, item number, description, unit as text; five category quantities; the total as text.
void fill(XlsxWorkbook& workbook) {
    for (int i = 0; i < kRows; ++i) {
        const QString row = QString::number(15 + i);
        workbook.setText(u"A"_s + row, QString::number(i + 1));
        workbook.setText(u"B"_s + row, u"203-%1"_s.arg(i, 4, 10, QChar(u'0')));
        workbook.setText(u"C"_s + row, u"EXCAVATION AND EMBANKMENT, ITEM %1"_s.arg(i));
        workbook.setText(u"D"_s + row, u"CY"_s);
        double total = 0;
        for (int c = 0; c < 5; ++c) {
            const double quantity = (i + 1) * 1.25 + c;
            total += quantity;
            workbook.setNumber(QChar(u'E' + c) + row, quantity);
        }
        workbook.setText(u"J"_s + row, QString::number(total, 'f', 3));
    }
}

void openAndKeep(benchmark::State& state) {
    for (auto _ : state) {
        XlsxWorkbook workbook = openTemplate();
        benchmark::DoNotOptimize(workbook);
    }
}

void fillRows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        XlsxWorkbook workbook = openTemplate();
        state.ResumeTiming();
        fill(workbook);
    }
    state.SetItemsProcessed(state.iterations() * kRows * 10);
}

void wholeExport(benchmark::State& state) {
    QTemporaryDir dir;
    const QString out = dir.filePath(u"tabfill.xlsx"_s);
    for (auto _ : state) {
        XlsxWorkbook workbook = openTemplate();
        fill(workbook);
        workbook.save(out);
    }
    state.counters["bytes"] = double(QFileInfo(out).size());
}

BENCHMARK(openAndKeep)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(fillRows)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(wholeExport)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const QString dataDir = qEnvironmentVariableIsSet("VESKPLAN_DATA")
                                ? qEnvironmentVariable("VESKPLAN_DATA")
                                : QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    seedPath = dataDir + u"/seed100-01.xlsx"_s;
    if (!QFileInfo::exists(seedPath)) {
        std::fprintf(stderr, "no seed workbook at %s\n", qPrintable(seedPath));
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
