#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTableView>

#include "app/takeoffreviewdialog.h"
#include "benchmain.h"
#include "benchsupport.h"
#include "controller/quantityimport.h"

namespace {

using namespace veskplan;
using veskplan::bench::BenchProgram;

// A 2000-item project, a take-off report of two lines for each of its items (one of them in
// another line of the file, so that every row has a breakdown) and the record of a former import
// of every item: the review holds 2000 rows with every column filled.
struct ReviewProgram {
    BenchProgram program{6000, 2000, 9};

    ReviewProgram() {
        ProjectDocument& document = program.controller->document();
        QByteArray report = "Pay Item ID,Description,Quantity,Unit,Station\n";
        TakeoffImportRecord last;
        int line = 0;
        for (const ProjectRecord& item : document.items().records(IndexOrder::PrimaryKey)) {
            const QByteArray number = item.itemNumber.trimmed().toUtf8();
            const QByteArray unit = item.units.trimmed().toUtf8();
            for (int part = 0; part < 2; ++part) {
                report += number + ",X," + QByteArray::number(1 + line % 97) + ',' + unit +
                          ",STA " + QByteArray::number(line) + "+00\n";
                ++line;
            }
            last.setQuantity(item.cat, item.itemNumber.trimmed(), 50);
        }
        document.setTakeoffRecord(last);
        const QString file = program.path(QStringLiteral("takeoff.csv"));
        bench::writeBytes(file, report);
        program.port.nextFile = file;
        program.controller->quantityImport().importFiles();
    }
};

// Opening the review window on 2000 items: its models and the window built, shown and painted.
void BM_OpenReviewWindow(benchmark::State& state) {
    ReviewProgram p;
    QuantityImport& review = p.program.controller->quantityImport();
    for (auto _ : state) {
        TakeoffReviewDialog dialog(review);
        dialog.show();
        dialog.table()->viewport()->repaint();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.table()->model()->rowCount());
    }
    state.counters["rows"] = static_cast<double>(review.rows().size());
}
BENCHMARK(BM_OpenReviewWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return veskplan::bench::runInApplication<QApplication>(argc, argv);
}
