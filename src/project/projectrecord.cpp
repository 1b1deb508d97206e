#include "project/projectrecord.h"

#include <algorithm>
#include <tuple>

namespace veskplan {
namespace {

// UTF-16 code units ordered as their code points: surrogates (D800-DFFF) stand for code points
// above FFFF, so they must sort after E000-FFFF.
char32_t orderKey(char16_t unit) {
    if (unit >= 0xD800 && unit <= 0xDFFF) {
        return unit + 0x2000u;
    }
    if (unit >= 0xE000) {
        return unit - 0x800u;
    }
    return unit;
}

}  // namespace

int compareBinary(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y) {
            return orderKey(x) < orderKey(y) ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

bool recordLess(IndexOrder order, const ProjectRecord& a, const ProjectRecord& b) {
    const QStringView* keysA[3];
    const QStringView* keysB[3];
    const QStringView aItem(a.itemNumber), aCat(a.cat), aDesc(a.description);
    const QStringView bItem(b.itemNumber), bCat(b.cat), bDesc(b.description);
    if (order == IndexOrder::PrimaryKey) {
        keysA[0] = &aCat, keysA[1] = &aItem;
        keysB[0] = &bCat, keysB[1] = &bItem;
    } else {
        keysA[0] = &aItem, keysA[1] = &aCat;
        keysB[0] = &bItem, keysB[1] = &bCat;
    }
    keysA[2] = &aDesc;
    keysB[2] = &bDesc;
    for (int i = 0; i < 3; ++i) {
        const int c = compareBinary(*keysA[i], *keysB[i]);
        if (c != 0) {
            return c < 0;
        }
    }
    return false;
}

void sortRecords(std::vector<ProjectRecord>& records, IndexOrder order) {
    const auto less = [order](const ProjectRecord& a, const ProjectRecord& b) {
        return recordLess(order, a, b);
    };
    if (!std::is_sorted(records.begin(), records.end(), less)) {
        std::sort(records.begin(), records.end(), less);
    }
}

}  // namespace veskplan
