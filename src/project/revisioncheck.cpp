#include "project/revisioncheck.h"

#include "master/masterlist.h"
#include "project/recordstore.h"

namespace veskplan::revisioncheck {

QString revisedItemNumber(const QString& stored, const MasterList& master) {
    QStringView base(stored);
    if (base.endsWith(kMark)) {
        base.chop(4);
    }
    const QString first12 = base.left(12).toString();
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
