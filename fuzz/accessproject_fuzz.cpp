// Feeds arbitrary bytes to the reader of older project files (Access databases, through
// libmdb) as Open does. An Error naming the file is the reader's
// answer to a bad file; anything else escaping, a crash or a sanitizer report is a fault.

#include "fuzztarget.h"

#include "base/error.h"
#include "files/accessproject.h"
#include "project/projectfile.h"

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(accessproject) {
    const InputFile input(bytes, u"project.mdb"_s);
    // Open hands the library only files that begin as a Jet database.
    if (!veskplan::accessproject::isAccessDatabase(input.path())) {
        return 0;
    }
    const auto read = readOrRefuse(input, veskplan::accessproject::read);
    if (!read) {
        return 0;
    }
    const std::vector<ProjectRecord>& records = *read;
    try {
        veskplan::projectfile::checkRecords(records);
    } catch (const veskplan::Error&) {
        require(false, "rows read are rows a project holds");
    }
    return qsizetype(records.size());
}
