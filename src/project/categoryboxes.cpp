#include "project/categoryboxes.h"

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
    document_.setModified(true);
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
    document_.setModified(true);
}

void CategoryBoxes::typeDescription(const QString& text) {
    if (text == descriptionText_) {
        return;
    }
    descriptionText_ = text;
    document_.setModified(true);
}

void CategoryBoxes::storeTypedDescription() {
    if (numberIndex_ < 0) {
        return;
    }
    // Typing already marked the project modified; storing the text is no further change.
    document_.setCategoryDescription(numberIndex_, descriptionText_);
    descriptionIndex_ = numberIndex_;
}

bool CategoryBoxes::addCategory() {
    if (!document_.appendCategory()) {
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
