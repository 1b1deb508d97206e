#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTableView>

#include "app/estimatewindow.h"
#include "benchmain.h"
#include "benchsupport.h"
#include "controller/estimateediting.h"
#include "controller/filedialogs.h"
#include "history/bidhistory.h"
#include "support/installedunits.h"

namespace {

using namespace veskplan;
using veskplan::bench::BenchProgram;

// A 2000-item project and a bid history of 100 bids (20 contracts of 5 bidders) for each of its
// items: 200,000 bids.
struct EstimateProgram {
    BenchProgram program{6000, 2000, 9};
    QString history = program.path(QStringLiteral("history.db"));
    FileDialogs dialogs{program.port, program.path(QString())};

    EstimateProgram() {
        QByteArray bids =
            "Item Number,Description,Unit,Quantity,Unit Price,Letting Date,Contract,Bidder Rank,"
            "Low Bidder,Region\n";
        for (const ProjectRecord& item :
             program.controller->document().items().records(IndexOrder::PrimaryKey)) {
            for (int contract = 0; contract < 20; ++contract) {
                for (int rank = 1; rank <= 5; ++rank) {
                    bids += item.itemNumber.toUtf8() + ",X," + item.units.trimmed().toUtf8() + ',' +
                            QByteArray::number(10 + contract * 37) + ',' +
                            QByteArray::number(20.0 + rank + contract % 7, 'f', 2) + ",2025-" +
                            QByteArray::number(1 + contract % 12).rightJustified(2, '0') + "-15,C" +
                            QByteArray::number(contract) + ',' + QByteArray::number(rank) + ',' +
                            (rank == 1 ? "Y" : "N") + ",North\n";
                }
            }
        }
        const QString file = program.path(QStringLiteral("bids.csv"));
        bench::writeBytes(file, bids);
        BidHistory::open(history, false).import(file, test::installedUnits());
    }
};

// Reading the bids of every item from the history and pricing the project, as choosing the
// history file in the window does.
void BM_PriceProjectFromHistory(benchmark::State& state) {
    EstimateProgram p;
    EstimateEditing tool(p.program.controller->document(), p.dialogs, p.program.port,
                         p.program.port, QDate(2026, 3, 31), QLocale::c());
    for (auto _ : state) {
        tool.useSources({{QStringLiteral("history"), p.history}}, QString());
    }
}
BENCHMARK(BM_PriceProjectFromHistory)->Unit(benchmark::kMillisecond);

// Opening the estimate window on the priced project: the tool is made (the project priced from
// the bids its history has read) and the window built, shown and painted.
void BM_OpenEstimateWindow(benchmark::State& state) {
    EstimateProgram p;
    EstimateEditing tool(p.program.controller->document(), p.dialogs, p.program.port,
                         p.program.port, QDate(2026, 3, 31), QLocale::c());
    tool.useSources({{QStringLiteral("history"), p.history}}, QString());
    for (auto _ : state) {
        EstimateWindow window(tool);
        window.show();
        window.table()->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.table()->model()->rowCount());
    }
}
BENCHMARK(BM_OpenEstimateWindow)->Unit(benchmark::kMillisecond);

// A price typed into a priced project of 2000 items: the one step and the estimate computed
// again.
void BM_TypePrice(benchmark::State& state) {
    EstimateProgram p;
    EstimateEditing tool(p.program.controller->document(), p.dialogs, p.program.port,
                         p.program.port, QDate(2026, 3, 31), QLocale::c());
    tool.useSources({{QStringLiteral("history"), p.history}}, QString());
    int line = 0;
    for (auto _ : state) {
        tool.setTypedPrice(line, QStringLiteral("12.5"));
        line = (line + 1) % 2000;
    }
}
BENCHMARK(BM_TypePrice)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return veskplan::bench::runInApplication<QApplication>(argc, argv);
}
