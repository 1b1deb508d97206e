#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

#include "takeoff/takeoffreview.h"

namespace {

using namespace veskplan;
using namespace Qt::Literals::StringLiterals;

constexpr int kItems = 2000;
constexpr int kLines = 200000;  // 100 drawing objects per pay item

QByteArray itemNumber(int item) {
    return u"%1-%2"_s.arg(2100 + item / 100).arg(item % 100 * 10, 7, 10, QChar(u'0')).toLatin1();
}

// A detailed report of a large project, one line per drawing object, its items written without
// separators half of the time; and the master list that holds them.
struct DetailedReport {
    QTemporaryDir dir;
    QString path = dir.filePath(u"detailed.csv"_s);
    MasterList list;

    DetailedReport() {
        QByteArray master;
        for (int item = 0; item < kItems; ++item) {
            master += itemNumber(item) + ' ' +
                      QByteArray("ITEM " + QByteArray::number(item)).leftJustified(40, ' ') +
                      (item % 3 == 0   ? "SY  "
                       : item % 3 == 1 ? "CY  "
                                       : "LF  ") +
                      "\r\n";
        }
        list = MasterList::parse(master);
        QByteArray text =
            "Pay Item ID,Description,Sheet,Station From,Station To,Object Name,Quantity,Unit\n";
        text.reserve(kLines * 90);
        for (int line = 0; line < kLines; ++line) {
            const int item = line % kItems;
            QByteArray number = itemNumber(item);
            if (line % 2 == 1) {
                number.replace('-', "");
            }
            const char* unit = item % 3 == 0 ? "SF" : item % 3 == 1 ? "CY" : "FT";
            text += number + ",ITEM " + QByteArray::number(item) + ",C-" +
                    QByteArray::number(100 + line % 7) + ',' + QByteArray::number(line / 100) +
                    "+00," + QByteArray::number(line / 100) + "+50,Object " +
                    QByteArray::number(line) + ",\"" + QByteArray::number(1000 + line % 977) + "." +
                    QByteArray::number(line % 10) + "\"," + unit + '\n';
        }
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
};

DetailedReport& report() {
    static DetailedReport data;
    return data;
}

// 200,000 object lines read, summed by item and matched to the master list, and the review of
// a project that holds none of them.
void BM_ReadSumAndMatch200000Lines(benchmark::State& state) {
    DetailedReport& data = report();
    for (auto _ : state) {
        TakeoffSum sum(data.list);
        sum.add(TakeoffFile::read(data.path));
        CategoryList categories;
        categories.append(u"01"_s, QString());
        const auto rows =
            TakeoffReview::compute({}, categories, data.list, sum, {}, {u"01"_s, RoundingRules()});
        benchmark::DoNotOptimize(rows.size());
        if (rows.size() != size_t(kItems)) {
            state.SkipWithError("not every item matched");
        }
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ReadSumAndMatch200000Lines)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
