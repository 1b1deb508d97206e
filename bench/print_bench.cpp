#include <benchmark/benchmark.h>

#include <algorithm>

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "benchmain.h"
#include "print/pdfprinttarget.h"
#include "print/quantitytable.h"
#include "print/quantitytablepainter.h"

namespace {

using namespace Qt::Literals::StringLiterals;
using veskplan::PdfPrintTarget;
using veskplan::ProjectRecord;
using veskplan::QuantityTable;
using veskplan::QuantityTablePainter;

constexpr int kRows = 2000;
constexpr int kCategories = 9;

// A large project in "BridgeKey" order: each item in all nine categories, 2000 rows in all.
const std::vector<ProjectRecord>& records() {
    static const std::vector<ProjectRecord> rows = [] {
        std::vector<ProjectRecord> result;
        for (int item = 0; static_cast<int>(result.size()) < kRows; ++item) {
            const QString number = u"2%1-%2"_s.arg(item % 900 + 100, 3, 10, QChar(u'0'))
                                       .arg(item * 37 % 10000000, 7, 10, QChar(u'0'));
            for (int c = 1; c <= kCategories && static_cast<int>(result.size()) < kRows; ++c) {
                result.push_back(ProjectRecord{number, u"0%1"_s.arg(c),
                                               u"ITEM DESCRIPTION NUMBER %1"_s.arg(item), u"CY"_s,
                                               item * 12.75 + c});
            }
        }
        std::sort(result.begin(), result.end(), [](const auto& a, const auto& b) {
            return veskplan::recordLess(veskplan::IndexOrder::BridgeKey, a, b);
        });
        return result;
    }();
    return rows;
}

QuantityTable buildTable() {
    QStringList descriptions;
    for (int c = 1; c <= kCategories; ++c) {
        descriptions << u"Category description %1"_s.arg(c);
    }
    return QuantityTable::build(u"STP-12-B(7)03"_s, u"/home/designer/projects/sr12.vsk"_s,
                                u"12/6/26"_s, u"Cedar Falls"_s, u"J. Doe"_s, u"March"_s,
                                descriptions, records());
}

void BM_Layout(benchmark::State& state) {
    records();
    for (auto _ : state) {
        benchmark::DoNotOptimize(buildTable());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_Layout)->Unit(benchmark::kMillisecond);

// Drawing the pages into a PDF held in memory.
void BM_RenderPdf(benchmark::State& state) {
    const QuantityTable table = buildTable();
    const QuantityTablePainter painter(table);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(PdfPrintTarget::kResolution);
            writer.setPageOrientation(QPageLayout::Landscape);
            painter.paint(writer);
        }
        bytes = buffer.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RenderPdf)->Unit(benchmark::kMillisecond);

// What "print --pdf" does after reading the project: layout, drawing, and the file written
// through a temporary file.
void BM_LayoutAndPrintPdfFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"table.pdf"_s);
    records();
    for (auto _ : state) {
        const QuantityTable table = buildTable();
        const QuantityTablePainter painter(table);
        PdfPrintTarget(path).print(
            table.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
            [&painter](QPagedPaintDevice& device) { painter.paint(device); });
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_LayoutAndPrintPdfFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return veskplan::bench::runInApplication<QGuiApplication>(argc, argv);
}
