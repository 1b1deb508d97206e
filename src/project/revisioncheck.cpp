#include "project/revisioncheck.h"

#include <iterator>

#include "master/masterlist.h"
#include "project/recordstore.h"

namespace veskplan::revisioncheck {

QStringView withoutMark(const QString& stored) {
    QStringView number(stored);
    if (number.endsWith(kMark)) {
        number.chop(std::size(kMark) - 1);
    }
    return number;
}

QString revisedItemNumber(const QString& stored, const MasterList& master) {
    const QString first12 = withoutMark(stored).left(12).toString();
    if (master.containsNumber(withoutTrailingBlanks(first12))) {
        return first12;
    }
    return first12 + QString::fromUtf16(kMark);
}

void markItems(RecordStore& store, const MasterList& master) {
    store.rewriteItemNumbers([&master](const ProjectRecord& record) {
        return revisedItemNumber(record.itemNumber, master);
    });
}

}  // namespace veskplan::revisioncheck
