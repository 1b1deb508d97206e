// Feeds arbitrary bytes to the project file reader as Open does: the bytes become a file, which
// is read, and the rows read are taken apart into items and special rows. An Error naming the
// file is the reader's answer to a bad file; anything else escaping, a crash or a sanitizer
// report is a fault.

#include "fuzztarget.h"

#include "base/error.h"
#include "project/projectfile.h"
#include "project/specialrows.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(projectfile) {
    const InputFile input(bytes, u"project.vsk"_s);
    const auto read = readOrRefuse(input, veskplan::projectfile::readWithPrices);
    if (!read) {
        return 0;
    }
    const std::vector<ProjectRecord>& records = read->records;
    for (const auto& [key, price] : read->prices.items()) {
        require(veskplan::ProjectPrices::isValidUnitPrice(price.unitPrice),
                "prices read are prices a project holds");
    }
    for (const auto& [key, quantity] : read->takeoff.quantities()) {
        require(veskplan::TakeoffImportRecord::isQuantity(quantity),
                "quantities of the last take-off import are quantities");
    }
    try {
        veskplan::projectfile::checkRecords(records);
    } catch (const veskplan::Error&) {
        require(false, "rows read are rows a project holds");
    }
    const specialrows::ProjectContents contents = specialrows::split(records);
    require(contents.hadRows == !records.empty() && contents.items.size() <= records.size(),
            "the items are among the rows read");
    return qsizetype(records.size() + read->prices.items().size());
}
