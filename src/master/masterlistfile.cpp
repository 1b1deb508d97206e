#include "master/masterlistfile.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "base/apppaths.h"
#include "base/boundedfile.h"
#include "base/error.h"
#include "master/mastertexts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Far above any real list (a 60000-row list is under 4 MB, 59 bytes a row); keeps a wrong file
// from eating the machine's memory.
constexpr qint64 kMaxFileSize = 48LL * 1024 * 1024;
constexpr qsizetype kMaxRows = 800'000;

}  // namespace

MasterListFile MasterListFile::read(const QString& path) {
    MasterListFile result;
    const QString shown = QDir::toNativeSeparators(path);
    QByteArray bytes;
    try {
        bytes = boundedfile::readAll(path, kMaxFileSize);
        // Every line is a row: count them before building the rows.
        boundedfile::checkLineCount(bytes, kMaxRows);
    } catch (const Error& error) {
        throw Error(texts::masterListUnreadable(shown, error.message()));
    }
    result.revised = QFileInfo(path).lastModified().date();
    result.rows = MasterList::parse(bytes);
    return result;
}

QString MasterListFile::pathIn(const QString& masterDir, Unit unit) {
    return joinPath(masterDir, unit == Unit::English ? u"itemse.txt"_s : u"itemsm.txt"_s);
}

QStringList MasterListFile::unitsIn(const QString& masterDir) {
    QStringList units;
    for (const Unit unit : {Unit::English, Unit::Metric}) {
        const QString path = pathIn(masterDir, unit);
        if (!QFileInfo::exists(path)) {
            continue;
        }
        const MasterList list = read(path).rows;
        for (int row = 0; row < list.count(); ++row) {
            const QString text = list.unit(row).trimmed().toString();
            if (!text.isEmpty() && !units.contains(text)) {
                units.append(text);
            }
        }
    }
    return units;
}

QString revisedCaption(const QDate& date, const QLocale& locale) {
    return texts::revisedPrefix() + locale.toString(date, QLocale::ShortFormat);
}

}  // namespace veskplan
