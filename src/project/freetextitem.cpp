#include "project/freetextitem.h"

#include <QString>

namespace veskplan {

bool inFreeTextGroup(QStringView itemNumber) {
    return itemNumber.startsWith(u"2599");
}

bool isTypedFreeTextItem(QStringView itemNumber) {
    return itemNumber.startsWith(u"2599-9999");
}

bool pricedByDescription(QStringView itemNumber) {
    return inFreeTextGroup(itemNumber);
}

bool sameDescription(QStringView a, QStringView b) {
    return a.toString().simplified().compare(b.toString().simplified(), Qt::CaseInsensitive) == 0;
}

}  // namespace veskplan
