#include "master/mastersession.h"

#include "base/error.h"
#include "base/filedate.h"
#include "master/masterlistfile.h"

namespace veskplan {

void MasterSession::load(Unit unit, const QString& masterDir, const QLocale& locale) {
    loadedUnit_ = unit;
    MasterListFile file;
    try {
        file = MasterListFile::read(MasterListFile::pathIn(masterDir, unit));
    } catch (const Error&) {
        loadFailed_ = true;
        grid_.replace(MasterList());
        revised_ = QDate();
        throw;
    }
    loadFailed_ = false;
    grid_.replace(std::move(file.rows));
    revised_ = file.revised;
    locale_ = locale;
}

QString MasterSession::revisionText() const {
    return revised_.isValid() ? revisedCaption(revised_, locale_) : QString();
}

QString MasterSession::masterDate() const {
    return filedate::toText(revised_);
}

}  // namespace veskplan
