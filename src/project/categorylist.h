#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace veskplan {

// The project's categories, position by position: the numbers ("01", "02", ...) and their
// descriptions.
class CategoryList {
public:
    // The highest category a project can hold: its number has two digits.
    static constexpr int kLastCategory = 99;

    const QStringList& numbers() const { return numbers_; }
    const QStringList& descriptions() const { return descriptions_; }
    int count() const { return static_cast<int>(numbers_.size()); }
    bool isPosition(int position) const { return position >= 0 && position < count(); }

    // Inserts at `position` (clamped to the end), as a list box does.
    void insertNumber(int position, const QString& number);
    void insertDescription(int position, const QString& description);
    void append(const QString& number, const QString& description);
    void setDescription(int position, const QString& description);

    // The number of the category after the last one ("01" for an empty list); none when the
    // last one is already 99.
    std::optional<QString> nextNumber() const;
    // "01" ... "99" for 1 ... 99.
    static QString numberText(int category);

    bool operator==(const CategoryList&) const = default;

private:
    QStringList numbers_;
    QStringList descriptions_;
};

}  // namespace veskplan
