#include "sampledata/sampleproject.h"

#include <QDir>
#include <QFileInfo>
#include <stdexcept>

#include "master/masterlist.h"
#include "sampledata/sampledata.h"
#include "shell/recordstore.h"
#include "shell/sqlitedb.h"

namespace veskplan::sampledata {

using namespace Qt::Literals::StringLiterals;

void writeSampleProject(const QString& path) {
    const MasterList master = MasterList::parse(masterList(Units::English));
    const QString temporary = path + u".part"_s;
    {
        auto store = RecordStore::create(temporary);
        RecordStore::Batch batch(*store);
        store->append(ProjectRecord{u"0000-1000000"_s, u"00"_s,
                                    u"STP-0021-A(4)17"_s.leftJustified(25, u' ') + u"J. Rivera"_s,
                                    u"0"_s, std::nullopt});
        store->append(ProjectRecord{u"0000-2000000"_s, u"00"_s, QString(), u"2"_s, std::nullopt});
        const QString categories[] = {u"Mainline"_s, u"Ramps"_s, u"Detour"_s};
        for (int c = 1; c <= 3; ++c) {
            const QString number = QStringLiteral("%1").arg(c, 2, 10, QLatin1Char('0'));
            store->append(ProjectRecord{u"0000-00000"_s + number, u"00"_s, categories[c - 1],
                                        number, std::nullopt});
        }
        // Every 47th item of the list, spread over the categories; some items in two.
        for (int i = 0, row = 5; row <= master.count() && i < 30; ++i, row += 47) {
            const QString cat = QStringLiteral("%1").arg(1 + i % 3, 2, 10, QLatin1Char('0'));
            ProjectRecord item{master.mastNum(row).toString(), cat, master.mastDesc(row).toString(),
                               master.mastUnit(row).toString(), 10.0 * (i + 1) + 0.5 * (i % 4)};
            if (i % 7 == 3) {
                item.quantity.reset();  // not yet measured
            }
            store->append(item);
            if (i % 5 == 0) {
                item.cat = u"02"_s == cat ? u"03"_s : u"02"_s;
                item.quantity = 4.25 * (i + 1);
                store->append(item);
            }
        }
        store->append(ProjectRecord{u"2599-9999   "_s, u"01"_s, u"TEMPORARY SIGNAL AT MAIN ST"_s,
                                    u"LS  "_s, 1.0});
        store->append(ProjectRecord{u"2599-9999   "_s, u"03"_s, u"DETOUR ROUTE MAINTENANCE"_s,
                                    u"LS  "_s, 1.0});
        batch.commit();
    }
    QFile::remove(path);
    if (!QFile::rename(temporary, path)) {
        QFile::remove(temporary);
        throw std::runtime_error(
            u"cannot write %1"_s.arg(QDir::toNativeSeparators(path)).toStdString());
    }
}

}  // namespace veskplan::sampledata
