#pragma once

#include <QString>

namespace veskplan {

class MasterList;
class RecordStore;

// The check of an opened project's item numbers against the loaded master list.
namespace revisioncheck {

// Appended to an item number the master list lacks.
inline constexpr char16_t kMark[] = u"  <<";

// The stored item number without a mark the check left on it.
QStringView withoutMark(const QString& stored);

// The item number the check gives a stored number: its first twelve characters (an earlier
// mark removed), followed by the mark when the list lacks it (trailing blanks not compared).
QString revisedItemNumber(const QString& stored, const MasterList& master);

// Gives every item its revised number in one transaction. Throws DuplicateKeyError when two
// items of one category would get the same number, SqliteError otherwise; nothing changes then.
void markItems(RecordStore& store, const MasterList& master);

}  // namespace revisioncheck
}  // namespace veskplan
