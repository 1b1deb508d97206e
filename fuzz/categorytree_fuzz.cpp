// Feeds arbitrary bytes to the category file reader as the category window does, and checks the
// tree: sections under the root with unique keys, every line of the file in one node.

#include "fuzztarget.h"

#include "base/textcodec.h"
#include "master/categorytree.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

VESKPLAN_FUZZ_TARGET(categorytree) {
    const InputFile input(bytes, u"itemcats.txt"_s);
    const auto read = readOrRefuse(input, CategoryTree::read);
    if (!read) {
        return 0;
    }
    const CategoryTree& tree = *read;
    QSet<QString> keys;
    qsizetype nodes = 0;
    for (const CategoryNode& top : tree.root.children) {
        const bool section = top.text.mid(2, 2) == u"00"_s;
        require(section || (top.children.empty() && top.key.isEmpty()),
                "only sections hold categories");
        require(
            top.key.isEmpty() || (top.key == u'I' + top.text.left(2) && !keys.contains(top.key)),
            "a section's key is its number, once");
        keys.insert(top.key);
        nodes += 1 + qsizetype(top.children.size());
        for (const CategoryNode& category : top.children) {
            require(category.children.empty() && category.key.isEmpty(), "categories are leaves");
        }
    }
    require(nodes == textcodec::splitLines(bytes).size(), "every line is in the tree once");
    return nodes;
}
