#include "master/masterlistfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/texts.h"

namespace veskplan {
namespace {

using namespace Qt::Literals::StringLiterals;

// Far above any real list (a 60000-row list is under 4 MB); keeps a wrong file from eating
// the machine's memory.
constexpr qint64 kMaxFileSize = 256LL * 1024 * 1024;

}  // namespace

MasterListFile MasterListFile::read(const QString& path) {
    MasterListFile result;
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString reason = file.exists() ? file.errorString() : u"the file does not exist"_s;
        result.error = texts::masterListUnreadable(shown, reason);
        return result;
    }
    if (file.size() > kMaxFileSize) {
        result.error = texts::masterListUnreadable(shown, u"the file is too large"_s);
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = texts::masterListUnreadable(shown, file.errorString());
        return result;
    }
    result.revised = QFileInfo(file).lastModified().date();
    result.rows = MasterList::parse(bytes);
    return result;
}

QString MasterListFile::fileName(Unit unit) {
    return unit == Unit::English ? u"itemse.txt"_s : u"itemsm.txt"_s;
}

QString revisedCaption(const QDate& date, const QLocale& locale) {
    return texts::revisedPrefix() + locale.toString(date, QLocale::ShortFormat);
}

}  // namespace veskplan
