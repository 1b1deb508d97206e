#pragma once

#include <QString>
#include <vector>

namespace veskplan {

// The two-level tree of the category file: sections (lines with "00" in columns 3 and 4) and
// the categories below the section line above them.
struct CategoryNode {
    QString text;  // the whole line
    QString key;   // "I" and the section number for a section; empty for a category
    std::vector<CategoryNode> children;
};

struct CategoryTree {
    // More lines than any category file holds: such a file is refused.
    static constexpr int kMaxLines = 20000;

    CategoryNode root{QStringLiteral("Items"), QStringLiteral("I"), {}};

    // Builds the tree from the file's bytes (Windows-1252, any line ends). Lines before the
    // first section hang under the root; a repeated section number gives a second section
    // node without a key, since keys are unique.
    static CategoryTree parse(QByteArrayView fileBytes);
    // Throws Error naming the file when it cannot be read; the root alone is then the tree to
    // show.
    static CategoryTree read(const QString& path);

    // A category is chosen when the text is not empty, not the root's, and has no "00" in
    // columns 3 and 4.
    static bool isCategory(const QString& nodeText);
};

}  // namespace veskplan
