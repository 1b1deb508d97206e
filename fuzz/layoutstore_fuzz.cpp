// Feeds arbitrary bytes to the reader of the confirmed column layouts. Every layout it reads
// names only headings of its own row, and writing the layouts out reads back the same.

#include "fuzztarget.h"

#include "history/layoutstore.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(layoutstore) {
    const InputFile input(bytes, u"layouts.csv"_s);
    const auto store =
        readOrRefuse(input, [](const QString& path) { return LayoutStore::read(path); });
    if (!store) {
        return 0;
    }
    const QString again = scratchPath(u"again.csv"_s);
    store->write(again);
    const LayoutStore reread = LayoutStore::read(again);
    require(reread.toBytes() == store->toBytes(), "written layouts read back the same");
    return store->size();
}
