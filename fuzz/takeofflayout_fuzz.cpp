// Feeds arbitrary bytes to the take-off layout reader, and the layout it reads to a heading row.

#include "fuzztarget.h"

#include "takeoff/takeofflayout.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(takeofflayout) {
    const InputFile input(bytes, u"layout.txt"_s);
    const auto layout =
        readOrRefuse(input, [](const QString& path) { return TakeoffLayout::read(path); });
    if (!layout) {
        return 0;
    }
    for (const QString& text : {u"Ramps"_s, u"2"_s, u"C-201"_s}) {
        const std::optional<QString> category = layout->categoryOfText(text);
        require(!category || (category->size() == 2 && category->toInt() >= 1),
                "a category from 01 to 99");
    }
    try {
        const auto columns = layout->locate(
            {u"Pay Item ID"_s, u"Quantity"_s, u"Unit"_s, u"PAYITEM"_s, u"QTY"_s, u"Sheet"_s});
        require(columns.size() >= 2, "the item number and the quantity");
    } catch (const TakeoffLayout::ColumnProblem& problem) {
        require(!problem.reason.isEmpty(), "a problem says why");
    }
    return 1;
}
