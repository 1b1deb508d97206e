#include "project/takeoffimportrecord.h"

namespace veskplan {

const TakeoffImportRecord::File* TakeoffImportRecord::fileWithHash(const QString& sha256) const {
    for (const File& file : files_) {
        if (file.sha256 == sha256) {
            return &file;
        }
    }
    return nullptr;
}

void TakeoffImportRecord::setQuantity(const QString& category, const QString& itemNumber,
                                      double quantity) {
    quantities_[{category, itemNumber}] = quantity;
}

std::optional<double> TakeoffImportRecord::quantityOf(const QString& category,
                                                      const QString& itemNumber) const {
    const auto found = quantities_.find({category, itemNumber});
    return found == quantities_.end() ? std::nullopt : std::optional<double>(found->second);
}

bool TakeoffImportRecord::isHash(const QString& text) {
    if (text.size() != 64) {
        return false;
    }
    for (QChar c : text) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'))) {
            return false;
        }
    }
    return true;
}

}  // namespace veskplan
