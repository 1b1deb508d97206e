#include <benchmark/benchmark.h>
#include <QFile>
#include <QTemporaryDir>

#include "project/projectcomparison.h"
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
        const auto rows = TakeoffReview::compute({}, categories, data.list, sum, {},
                                                 {u"01"_s, RoundingRules(), {}});
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

// Two milestones of a 2,000-item project with prices: a tenth of the quantities changed, a few
// items moved to another category, added or removed.
void BM_Compare2000ItemProjects(benchmark::State& state) {
    std::vector<ProjectRecord> before;
    std::vector<ProjectRecord> after;
    ProjectPrices oldPrices;
    ProjectPrices newPrices;
    for (int item = 0; item < kItems; ++item) {
        const ProjectRecord record{QString::fromLatin1(itemNumber(item)),
                                   QString::number(1 + item % 5).rightJustified(2, u'0'),
                                   u"ITEM "_s + QString::number(item), u"SY"_s, 10.0 + item % 300};
        ProjectRecord later = record;
        if (item % 10 == 0) {
            later.quantity = *later.quantity * 1.1;
        }
        if (item % 97 == 0) {
            later.cat = u"06"_s;
        }
        const ItemPrice price{5.0 + item % 50, u"SY"_s, PriceKind::Typed, QString()};
        if (item % 101 != 0) {
            before.push_back(record);
            oldPrices.set(ItemKey::of(record), price);
        }
        if (item % 103 != 0) {
            after.push_back(later);
            newPrices.set(ItemKey::of(later), price);
        }
    }
    for (auto _ : state) {
        const ProjectComparison comparison =
            ProjectComparison::compare(before, oldPrices, after, newPrices);
        benchmark::DoNotOptimize(comparison.toCsv(true).size());
    }
}
BENCHMARK(BM_Compare2000ItemProjects)->Unit(benchmark::kMillisecond)->Repetitions(5);

BENCHMARK_MAIN();
