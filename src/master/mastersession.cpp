#include "master/mastersession.h"

#include "base/filedate.h"
#include "master/masterlistfile.h"

namespace veskplan {

QString MasterSession::load(Unit unit, const QString& masterDir, const QLocale& locale) {
    MasterListFile file = MasterListFile::read(MasterListFile::pathIn(masterDir, unit));
    mastUnitLoaded_ = unit;
    loadFailed_ = !file.ok();
    if (loadFailed_) {
        grid_.replace(MasterList());
        revised_ = QDate();
        return file.error;
    }
    grid_.replace(std::move(file.rows));
    revised_ = file.revised;
    locale_ = locale;
    return QString();
}

QString MasterSession::mastRevDate() const {
    return revised_.isValid() ? revisedCaption(revised_, locale_) : QString();
}

QString MasterSession::masterDate() const {
    return filedate::toText(revised_);
}

}  // namespace veskplan
