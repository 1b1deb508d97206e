#include "project/categorylist.h"

#include <algorithm>

namespace veskplan {

QString CategoryList::currentNumber() const {
    return numberIndex_ >= 0 && numberIndex_ < numbers_.size() ? numbers_[numberIndex_] : QString();
}

void CategoryList::clear() {
    numbers_.clear();
    descriptions_.clear();
    numberIndex_ = -1;
    descriptionIndex_ = -1;
    descriptionText_.clear();
}

void CategoryList::insertNumber(int position, const QString& number) {
    numbers_.insert(std::clamp<qsizetype>(position, 0, numbers_.size()), number);
}

void CategoryList::insertDescription(int position, const QString& description) {
    descriptions_.insert(std::clamp<qsizetype>(position, 0, descriptions_.size()), description);
}

void CategoryList::appendCategory(const QString& number, const QString& description) {
    numbers_.append(number);
    descriptions_.append(description);
}

void CategoryList::replaceDescription(int position, const QString& description) {
    if (position >= 0 && position < descriptions_.size()) {
        descriptions_[position] = description;
    }
}

void CategoryList::setDescriptionIndex(int index) {
    descriptionIndex_ = index;
    if (index >= 0 && index < descriptions_.size()) {
        descriptionText_ = descriptions_[index];
    }
}

}  // namespace veskplan
