#include <benchmark/benchmark.h>
#include <QStandardItemModel>

#include "base/textcodec.h"
#include "benchsupport.h"
#include "master/mastergridmodel.h"
#include "master/masterlist.h"

namespace {

using namespace veskplan;

const QByteArray& listBytes(int rows) {
    static const QByteArray six = bench::largeMasterList(6000);
    static const QByteArray sixty = bench::largeMasterList(60000);
    return rows == 6000 ? six : sixty;
}

// The grid model over the in-memory rows: one decode, views into it, one model reset.
void BM_LoadIntoGridModel(benchmark::State& state) {
    const QByteArray& bytes = listBytes(static_cast<int>(state.range(0)));
    MasterGridModel model;
    MasterList list;
    for (auto _ : state) {
        model.setList(nullptr);
        list = MasterList::parse(bytes);
        model.setList(&list);
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadIntoGridModel)->Arg(6000)->Arg(60000)->Unit(benchmark::kMillisecond);

// The way a grid filled row by row works: cut each line, then insert a row of three cells.
void BM_LoadNaivelyRowByRow(benchmark::State& state) {
    const QByteArray& bytes = listBytes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        QStandardItemModel model(0, 3);
        int row = 0;
        for (const QByteArrayView& line : textcodec::splitLines(bytes)) {
            const QString text = textcodec::decode(line);
            model.insertRow(row);
            model.setItem(row, 0, new QStandardItem(text.mid(0, 12)));
            model.setItem(row, 1, new QStandardItem(text.mid(13, 40)));
            model.setItem(row, 2, new QStandardItem(text.mid(53, 4)));
            ++row;
        }
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadNaivelyRowByRow)->Arg(6000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
