#include "project/categorylist.h"

#include <algorithm>

#include "base/numbertext.h"

namespace veskplan {

void CategoryList::insertNumber(int position, const QString& number) {
    numbers_.insert(std::clamp<qsizetype>(position, 0, numbers_.size()), number);
}

void CategoryList::insertDescription(int position, const QString& description) {
    descriptions_.insert(std::clamp<qsizetype>(position, 0, descriptions_.size()), description);
}

void CategoryList::append(const QString& number, const QString& description) {
    numbers_.append(number);
    descriptions_.append(description);
}

void CategoryList::setDescription(int position, const QString& description) {
    if (position >= 0 && position < descriptions_.size()) {
        descriptions_[position] = description;
    }
}

std::optional<QString> CategoryList::nextNumber() const {
    const int last =
        numbers_.isEmpty() ? 0 : numbertext::wholeNumber(numbers_.last()).value_or(kLastCategory);
    if (last >= kLastCategory) {
        return std::nullopt;
    }
    return numberText(std::max(last, 0) + 1);
}

QString CategoryList::numberText(int category) {
    return QStringLiteral("%1").arg(category, 2, 10, QLatin1Char('0'));
}

}  // namespace veskplan
