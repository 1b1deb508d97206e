#include <benchmark/benchmark.h>

#include "benchsupport.h"
#include "master/descriptionindex.h"
#include "master/itemmapping.h"
#include "master/masterlist.h"
#include "project/cataloguecheck.h"

namespace veskplan::bench {
namespace {

using namespace Qt::Literals::StringLiterals;

constexpr int kListRows = 60'000;
constexpr int kMappingRows = 5'000;
constexpr int kProjectItems = 2'000;

// A 60,000-row list, a mapping file of 5,000 numbers the list no longer has (each replaced by
// one it has), and a project of 2,000 items of which one in twenty is retired (half of them
// mapped, half left to the closest description) and one in ten has a changed unit or
// description.
struct Catalogue {
    MasterList list;
    QByteArray mappingBytes;
    ItemMapping mapping;
    std::vector<ProjectRecord> items;
    QStringList retiredNumbers;

    Catalogue() : list(MasterList::parse(largeMasterList(kListRows))) {
        mappingBytes = "Previous Item ID,New Item ID,Unit of Measure,Item Description\r\n";
        for (int i = 0; i < kMappingRows; ++i) {
            const QString retired = u"0000-%1"_s.arg(1000000 + i);
            const int row = (i * 12) % kListRows;
            retiredNumbers.append(retired);
            mappingBytes += retired.toUtf8() + ',' + list.itemNumber(row).trimmed().toUtf8() + ',' +
                            list.unit(row).trimmed().toUtf8() + ",\"" +
                            list.description(row).trimmed().toUtf8() + "\"\r\n";
        }
        mapping = ItemMapping::parse(mappingBytes, u"bench.csv"_s);
        for (int i = 0; i < kProjectItems; ++i) {
            // The generated list repeats numbers; an item is taken from the first row of its own.
            int row = (i * 29) % kListRows;
            while (list.rowOfNumber(list.itemNumber(row).trimmed()) != row) {
                row = (row + 1) % kListRows;
            }
            ProjectRecord item{
                list.itemNumber(row).toString(), u"%1"_s.arg(1 + i % 20, 2, 10, QChar(u'0')),
                list.description(row).toString(), list.unit(row).toString(), 1.5 * i};
            switch (i % 20) {
                case 0:
                    item.itemNumber = i % 40 == 0 ? retiredNumbers[i % kMappingRows] + u"  <<"_s
                                                  : u"0001-%1  <<"_s.arg(1000000 + i);
                    break;
                case 5:
                    item.description += u" OLD"_s;
                    break;
                case 10:
                    item.units = u"XX"_s;
                    break;
            }
            items.push_back(item);
        }
    }
};

const Catalogue& catalogue() {
    static const Catalogue data;
    return data;
}

void BM_CompareProjectWithList(benchmark::State& state) {
    const Catalogue& data = catalogue();
    std::vector<cataloguecheck::Finding> findings;
    for (auto _ : state) {
        findings = cataloguecheck::compare(data.items, data.list, &data.mapping);
        benchmark::DoNotOptimize(findings.data());
    }
    const auto counts = cataloguecheck::countByKind(findings);
    state.counters["retired"] = counts[0];
    state.counters["changed"] = counts[1] + counts[2];
    state.counters["proposed"] = static_cast<double>(std::count_if(
        findings.begin(), findings.end(), [](const auto& f) { return f.replacement.has_value(); }));
}
BENCHMARK(BM_CompareProjectWithList)->Unit(benchmark::kMillisecond);

void BM_SimilarDescriptions(benchmark::State& state) {
    const Catalogue& data = catalogue();
    const int row = kListRows / 3;
    const QString description = data.list.description(row).toString();
    const QString unit = data.list.unit(row).toString();
    DescriptionIndex index;
    index.add(description, unit, 5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(index.closestIn(data.list));
    }
}
BENCHMARK(BM_SimilarDescriptions)->Unit(benchmark::kMillisecond);

void BM_ParseMapping(benchmark::State& state) {
    const Catalogue& data = catalogue();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ItemMapping::parse(data.mappingBytes, u"bench.csv"_s));
    }
}
BENCHMARK(BM_ParseMapping)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veskplan::bench

BENCHMARK_MAIN();
