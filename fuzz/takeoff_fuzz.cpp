// Feeds arbitrary bytes to the take-off reader, as CSV or, when they start as a zip archive
// does, as a workbook: the heading row a question about the columns would offer, and the file.

#include "fuzztarget.h"

#include "takeoff/takeofffile.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(takeoff) {
    const InputFile input(bytes, bytes.startsWith("PK") ? u"takeoff.xlsx"_s : u"takeoff.csv"_s);
    // The heading row offered for a question about the columns is one of the file's first rows.
    const auto heading =
        readOrRefuse(input, [](const QString& path) { return TakeoffFile::heading(path); });
    require(!heading || (heading->line > 0 && !heading->cells.isEmpty()), "a heading row");
    const auto file =
        readOrRefuse(input, [](const QString& path) { return TakeoffFile::read(path); });
    if (!file) {
        return 0;
    }
    require(heading && heading->recognised, "a file read has a recognised heading row");
    int previousLine = 0;
    for (const TakeoffLine& line : file->lines()) {
        require(!line.itemNumber.isEmpty() && !line.unit.isEmpty(), "an item and its unit");
        require(line.quantity >= 0 && line.quantity <= TakeoffFile::kMaxQuantity,
                "a quantity in range");
        require(line.line > previousLine, "lines in file order");
        previousLine = line.line;
    }
    return qsizetype(file->lines().size());
}
