#include "project/categoryboxes.h"

#include <algorithm>

#include "project/projectdocument.h"

namespace veskplan {

QString CategoryBoxes::currentNumber() const {
    return document_.categories().numbers().value(numberIndex_);
}

void CategoryBoxes::selectNumber(int index) {
    if (numberIndex_ == index && descriptionIndex_ == index) {
        return;
    }
    numberIndex_ = index;
    if (descriptionIndex_ != index) {
        selectDescription(index);
    }
}

void CategoryBoxes::selectDescription(int index) {
    if (numberIndex_ == index && descriptionIndex_ == index) {
        return;
    }
    descriptionIndex_ = index;
    // Choosing an entry puts its text into the edit field.
    if (document_.categories().isPosition(index)) {
        descriptionText_ = document_.categories().descriptions().value(index);
    }
    if (numberIndex_ != index) {
        selectNumber(index);
    }
}

void CategoryBoxes::typeDescription(const QString& text) {
    descriptionText_ = text;
}

void CategoryBoxes::storeTypedDescription() {
    if (numberIndex_ < 0) {
        return;
    }
    document_.setCategoryDescription(numberIndex_, descriptionText_);
    descriptionIndex_ = numberIndex_;
}

void CategoryBoxes::followCategories() {
    const CategoryList& categories = document_.categories();
    if (categories.isPosition(numberIndex_) && categories.isPosition(descriptionIndex_)) {
        // An undone or redone description shows in the edit field.
        if (numberIndex_ == descriptionIndex_) {
            descriptionText_ = categories.descriptions().value(numberIndex_);
        }
        return;
    }
    const int last = categories.count() - 1;
    numberIndex_ = std::min(numberIndex_, last);
    descriptionIndex_ = numberIndex_;
    descriptionText_ = categories.descriptions().value(numberIndex_);
}

bool CategoryBoxes::addCategory() {
    if (!document_.appendCategory().stored()) {
        return false;
    }
    const int last = document_.categories().count() - 1;
    selectNumber(last);
    selectDescription(last);
    return true;
}

void CategoryBoxes::reset() {
    numberIndex_ = -1;
    descriptionIndex_ = -1;
    descriptionText_.clear();
}

}  // namespace veskplan
