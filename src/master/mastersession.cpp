#include "master/mastersession.h"

#include "master/masterlistfile.h"

namespace veskplan {

QString MasterSession::load(Unit unit, const QString& masterDir, const QLocale& locale) {
    MasterListFile file = MasterListFile::read(MasterListFile::pathIn(masterDir, unit));
    mastUnitLoaded_ = unit;
    loadFailed_ = !file.ok();
    if (loadFailed_) {
        grid_.replace(MasterList());
        mastRevDate_.clear();
        return file.error;
    }
    grid_.replace(std::move(file.rows));
    mastRevDate_ = revisedCaption(file.revised, locale);
    return QString();
}

}  // namespace veskplan
