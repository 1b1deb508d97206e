#include "files/recentprojects.h"

#include <QDir>
#include <QFileInfo>

#include "project/projecttexts.h"

namespace veskplan {

QString recentProjectCaption(int number, const QString& path) {
    using namespace Qt::Literals::StringLiterals;
    const QFileInfo file(path);
    QString name = file.fileName();
    if (file.suffix().compare(u"mdb"_s, Qt::CaseInsensitive) == 0) {
        name = texts::importedName(name);
    }
    return u"&"_s + QString::number(number % 10) + u' ' + name + u"  ("_s +
           QDir::toNativeSeparators(file.absolutePath()) + u')';
}
namespace {

using namespace Qt::Literals::StringLiterals;

const QString kKey = u"recentProjects"_s;

}  // namespace

QStringList RecentProjects::paths() const {
    QStringList paths = settings_.textList(kKey);
    paths.removeAll(QString());
    return paths.mid(0, kMaxCount);
}

void RecentProjects::add(const QString& path) {
    QStringList list = paths();
    const QString clean = QDir::cleanPath(path);
    list.removeAll(clean);
    list.prepend(clean);
    store(list.mid(0, kMaxCount));
}

void RecentProjects::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(QDir::cleanPath(path));
    store(list);
}

void RecentProjects::store(const QStringList& paths) {
    settings_.setValue(kKey, paths);
}

}  // namespace veskplan
