#include "project/specialrows.h"

#include <algorithm>

#include "base/numbertext.h"
#include "project/projecttexts.h"

namespace veskplan::specialrows {

using namespace Qt::Literals::StringLiterals;

QString cat() {
    return u"00"_s;
}
QString firstHeader() {
    return u"0000-1000000"_s;
}
QString secondHeader() {
    return u"0000-2000000"_s;
}
QString categoryRow(int position) {
    return u"0000-00000"_s + CategoryList::numberText(position);
}

ProjectContents split(std::vector<ProjectRecord> rows) {
    ProjectContents contents;
    contents.hadRows = !rows.empty();
    sortRecords(rows, IndexOrder::PrimaryKey);
    // Only the rows before the first item are special: a "0000" number among the items of
    // another category stays an item.
    size_t first = 0;
    for (; first < rows.size() && isSpecial(rows[first].itemNumber); ++first) {
        const ProjectRecord& row = rows[first];
        if (row.itemNumber == firstHeader()) {
            contents.projNum = row.description.left(HeaderFields::kProjectNumberLength).trimmed();
            contents.designer = row.description.mid(HeaderFields::kProjectNumberLength).trimmed();
            const std::optional<int> unit = numbertext::wholeNumber(row.units);
            if (unit == 0 || unit == 1) {
                contents.unitIndex = unit;
            }
        } else if (row.itemNumber == secondHeader()) {
            contents.masterDate = row.description.trimmed();
            const int month = numbertext::wholeNumber(row.units).value_or(-1);
            contents.letMonth = month >= 0 && month < 12 ? month : -1;
        } else {
            const int position = numbertext::wholeNumber(row.itemNumber.right(2)).value_or(0) - 1;
            contents.categories.insertNumber(position, row.units);
            contents.categories.insertDescription(position, row.description);
        }
    }
    contents.items.assign(std::make_move_iterator(rows.begin() + static_cast<qsizetype>(first)),
                          std::make_move_iterator(rows.end()));
    return contents;
}

std::vector<ProjectRecord> compose(const HeaderFields& header, int unitIndex,
                                   const QString& masterDate, const CategoryList& categories) {
    std::vector<ProjectRecord> rows;
    rows.push_back(ProjectRecord{
        firstHeader(), cat(),
        header.projNum.leftJustified(HeaderFields::kProjectNumberLength, u' ') + header.designer,
        QString::number(unitIndex), std::nullopt});
    rows.push_back(ProjectRecord{secondHeader(), cat(), masterDate,
                                 QString::number(header.letMonth), std::nullopt});
    for (int i = 0; i < categories.count(); ++i) {
        const QString description =
            i < categories.descriptions().size() ? categories.descriptions()[i] : QString();
        rows.push_back(ProjectRecord{categoryRow(i + 1), cat(),
                                     description.isEmpty() ? texts::noDescription() : description,
                                     categories.numbers()[i], std::nullopt});
    }
    return rows;
}

}  // namespace veskplan::specialrows
