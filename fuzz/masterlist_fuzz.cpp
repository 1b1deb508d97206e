// Feeds arbitrary bytes to the master item list reader as loading a unit does, and searches the
// list read as the master browser does: by the beginning of an item number and by a whole one.
// Each search is checked against a plain walk through the rows.

#include "fuzztarget.h"

#include "master/masterlistfile.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(masterlist) {
    const InputFile input(bytes, u"itemse.txt"_s);
    const auto file = readOrRefuse(input, MasterListFile::read);
    if (!file) {
        return 0;
    }
    const MasterList& list = file->rows;
    qsizetype numbered = 0;
    for (int row = 0; row < list.count(); ++row) {
        require(list.itemNumber(row).size() <= 12 && list.description(row).size() <= 40 &&
                    list.unit(row).size() <= 4,
                "fields keep to their columns");
        numbered += list.itemNumber(row).trimmed().isEmpty() ? 0 : 1;
    }
    // A few rows spread over the list give the texts searched for.
    const int step = std::max(1, list.count() / 4);
    for (int row = 0; row < list.count(); row += step) {
        const QStringView number = list.itemNumber(row);
        for (const QStringView prefix : {number, number.left(4), number.left(1)}) {
            int first = 0;
            while (first < list.count() && !list.itemNumber(first).startsWith(prefix)) {
                ++first;
            }
            require(list.firstRowStartingWith(prefix) == first, "the first row with a prefix");
        }
        const QStringView trimmed = number.trimmed();
        if (!trimmed.isEmpty()) {
            int first = 0;
            while (list.itemNumber(first).trimmed() != trimmed) {
                ++first;
            }
            require(list.rowOfNumber(trimmed) == first, "the first row with a number");
        }
    }
    return numbered;
}
