#include "master/categorytree.h"

#include <QDir>
#include <QFile>
#include <QSet>

#include "base/textcodec.h"
#include "base/texts.h"

namespace veskplan {

using namespace Qt::Literals::StringLiterals;

CategoryTree CategoryTree::parse(QByteArrayView fileBytes) {
    CategoryTree tree;
    QSet<QString> keys;
    CategoryNode* section = &tree.root;
    for (const QString& line : textcodec::decodeLines(fileBytes)) {
        if (line.mid(2, 2) == u"00"_s) {
            QString key = u"I"_s + line.left(2);
            if (keys.contains(key)) {
                key.clear();
            } else {
                keys.insert(key);
            }
            tree.root.children.push_back(CategoryNode{line, key, {}});
            section = &tree.root.children.back();
        } else {
            section->children.push_back(CategoryNode{line, QString(), {}});
        }
    }
    return tree;
}

CategoryTree CategoryTree::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        CategoryTree tree;
        const QString reason = file.exists() ? file.errorString() : u"the file does not exist"_s;
        tree.error = texts::categoryFileUnreadable(QDir::toNativeSeparators(path), reason);
        return tree;
    }
    return parse(file.readAll());
}

bool CategoryTree::isCategory(const QString& nodeText) {
    return !nodeText.isEmpty() && nodeText != u"Items"_s && nodeText.mid(2, 2) != u"00"_s;
}

}  // namespace veskplan
