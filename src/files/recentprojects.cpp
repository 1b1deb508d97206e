#include "files/recentprojects.h"

#include <QDir>

namespace veskplan {

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
