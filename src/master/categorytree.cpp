#include "master/categorytree.h"

#include <QDir>
#include <QSet>
#include <algorithm>

#include "base/boundedfile.h"
#include "base/error.h"
#include "base/textcodec.h"
#include "master/mastertexts.h"

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
    // A category file lists a few hundred sections and categories.
    QByteArray bytes;
    try {
        bytes = boundedfile::readAll(path, 1024 * 1024);
        boundedfile::checkLineCount(bytes, kMaxLines);
    } catch (const Error& error) {
        throw Error(texts::categoryFileUnreadable(QDir::toNativeSeparators(path), error.message()));
    }
    return parse(bytes);
}

bool CategoryTree::isCategory(const QString& nodeText) {
    return !nodeText.isEmpty() && nodeText != u"Items"_s && nodeText.mid(2, 2) != u"00"_s;
}

}  // namespace veskplan
