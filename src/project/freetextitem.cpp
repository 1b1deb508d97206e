#include "project/freetextitem.h"

namespace veskplan {

bool inFreeTextGroup(QStringView itemNumber) {
    return itemNumber.startsWith(u"2599");
}

bool isTypedFreeTextItem(QStringView itemNumber) {
    return itemNumber.startsWith(u"2599-9999");
}

}  // namespace veskplan
