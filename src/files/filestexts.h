#pragma once

#include <QString>

// The words of the working copy, its recovery and older project files.
namespace veskplan::texts {

using namespace Qt::Literals::StringLiterals;

inline QString workingCopyNotWritten(const QString& reason) {
    return u"The working copy of the project could not be written: "_s + reason +
           u"\nSave the project to keep your changes."_s;
}
inline QString workingDatabaseFailed(const QString& file, const QString& reason) {
    return u"The working database "_s + file + u" could not be created: "_s + reason;
}
inline QString recoveryFailed(const QString& file, const QString& reason) {
    return u"The unsaved changes in "_s + file + u" could not be read: "_s + reason;
}
inline QString accessReaderMissing() {
    return u"this build of Veskplan cannot read Access (.mdb) project files; open it with a "
           u"build that can, and save it as a .vsk project"_s;
}

}  // namespace veskplan::texts
