#pragma once

#include <QString>

// The command line's own words.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString standardOutputNotWritten(const QString& reason) {
    return u"standard output could not be written: "_s + reason;
}
inline QString outOfMemory() {
    return u"there is not enough memory for this project"_s;
}

// The quantities command.
inline QString olderProjectOnlyRead() {
    return u"an older project file is only read; name another file for --apply"_s;
}
inline QString noWorkingFolder(const QString& reason) {
    return u"no temporary folder for the working copy: "_s + reason;
}
inline QString quantitiesNotApplied(const QString& reason) {
    return u"the quantities could not be applied: "_s +
           (reason.isEmpty() ? u"the project refused them"_s : reason);
}
inline QString noSuchCategory(const QString& category) {
    return u"the project has no category "_s + category;
}
inline QString leftOutRow(const QString& itemNumber, const QString& category,
                          const QString& status) {
    return u"left out: "_s + itemNumber +
           (category.isEmpty() ? QString() : u" (category "_s + category + u')') + u": "_s + status;
}
inline QString noCategoryFor(const QString& status) {
    return status + u", no category"_s;
}
inline QString rowsLeftOut(int count) {
    return QString::number(count) + (count == 1 ? u" row needs"_s : u" rows need"_s) +
           u" a decision and "_s + (count == 1 ? u"was"_s : u"were"_s) + u" left out"_s;
}

}  // namespace veskplan::texts
