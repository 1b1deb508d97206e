#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "project/projectrecord.h"

namespace veskplan {

class ItemMapping;
class MasterList;

// The comparison of a project's items with the loaded master list (and an agency's item-mapping
// file): which items the list no longer has, and what replaces them; which ones it now
// describes or measures differently.
namespace cataloguecheck {

struct Finding {
    enum class Kind { Retired, UnitChanged, DescriptionChanged, FreeText };
    enum class Source { Mapping, SimilarDescription };
    // A list row proposed in place of a retired item.
    struct Proposal {
        QString itemNumber;  // the list's fields as they stand
        QString description;
        QString unit;
        int listRow = -1;
        Source source = Source::Mapping;
    };

    Kind kind = Kind::Retired;
    ProjectRecord record;  // as stored
    int position = -1;     // index into the compared items
    int listRow = -1;      // the item's row in the list; -1 when it has none
    QString listNumber;    // that row's fields as they stand
    QString listDescription;
    QString listUnit;
    std::optional<Proposal> replacement;  // for Retired only
    QString note;                         // how the replacement was found, or why there is none
};
inline constexpr int kKindCount = 4;

// One finding per project item the list lacks or describes differently, in the order of
// `items`; an item whose unit and description both differ gives two, unit first. The free-text
// item is reported as such, never as a change. The number compared is the stored one with the
// revision mark removed, its first 12 characters, blanks around them removed. A retired item is
// offered the end of its chain in `mapping` (when that number is in the list) or else the list
// row of the same unit whose description is closest (DescriptionIndex). `mapping` may be null.
std::vector<Finding> compare(const std::vector<ProjectRecord>& items, const MasterList& list,
                             const ItemMapping* mapping);

// Findings of each kind, indexed by Finding::Kind.
std::array<int, kKindCount> countByKind(const std::vector<Finding>& findings);

// The findings as a CSV report (UTF-8, LF line ends, a heading row). Item numbers are named
// without the revision mark; a replacement says whether the mapping file gave it or it is a
// guess.
QByteArray toCsv(const std::vector<Finding>& findings);

// The item as `items` holds it now and what it becomes when the finding's replacement is taken
// over: a retired item takes the proposed row's number, description and unit; a changed one the
// list's unit or description. Category and quantity stay; the revision mark goes. Refused when
// there is nothing to take over, when items[finding.position] no longer has the number and
// category compared, or when another item of the category has the new number. To take several
// findings over in one step, apply each pair to a copy of the items before asking for the next:
// two findings of one item then add up, and two retired items are not both given one number in
// one category.
struct TakeOver {
    std::optional<std::pair<ProjectRecord, ProjectRecord>> change;  // the item before and after
    QString refusal;                                                // why there is no change
};
TakeOver replacementChange(const Finding& finding, const std::vector<ProjectRecord>& items);

// The number an item is compared by: the revision mark removed, the first 12 characters,
// blanks around them removed.
QString comparedNumber(const QString& stored);
// The stored number as messages name it: the revision mark and the blanks around it removed.
QString shownNumber(const QString& stored);
// Where the finding's replacement comes from (the mapping file, or a guess); empty without one.
QString proposedBy(const Finding& finding);

}  // namespace cataloguecheck
}  // namespace veskplan
