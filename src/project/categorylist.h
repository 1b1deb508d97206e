#pragma once

#include <QString>
#include <QStringList>

namespace veskplan {

// The project's categories as the two boxes show them: numbers in `catNum`, descriptions in
// `catDesc`, position by position, with each box's selected position and the text typed into
// the description box.
class CategoryList {
public:
    const QStringList& numbers() const { return numbers_; }
    const QStringList& descriptions() const { return descriptions_; }
    int count() const { return static_cast<int>(numbers_.size()); }

    int numberIndex() const { return numberIndex_; }
    int descriptionIndex() const { return descriptionIndex_; }
    // The text of `catNum`: the number at its selected position, empty when none is selected.
    QString currentNumber() const;
    // The text in the edit field of `catDesc`.
    const QString& descriptionText() const { return descriptionText_; }

    void clear();
    // Inserts at `position` (clamped to the end), as a list box does.
    void insertNumber(int position, const QString& number);
    void insertDescription(int position, const QString& description);
    void appendCategory(const QString& number, const QString& description);
    void replaceDescription(int position, const QString& description);

    void setNumberIndex(int index) { numberIndex_ = index; }
    // Selecting a description also puts it into the edit field.
    void setDescriptionIndex(int index);
    void setDescriptionText(const QString& text) { descriptionText_ = text; }

private:
    QStringList numbers_;
    QStringList descriptions_;
    int numberIndex_ = -1;
    int descriptionIndex_ = -1;
    QString descriptionText_;
};

}  // namespace veskplan
