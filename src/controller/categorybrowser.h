#pragma once

#include <QString>
#include <optional>

#include "master/categorytree.h"

namespace veskplan {

class MasterSession;
class UserPort;
class ViewRequests;

// The "Item Categories" window: the tree of the category file, read when the window opens, and
// the category picked in it, whose first item the master grid then shows.
class CategoryBrowser {
public:
    CategoryBrowser(MasterSession& master, QString categoryFile, UserPort& port,
                    ViewRequests& requests)
        : master_(master),
          categoryFile_(std::move(categoryFile)),
          port_(port),
          requests_(requests) {}

    // Shows the window until a category is chosen or the window is closed; the first row of
    // the chosen category, or -1.
    int browse();
    // The tree, read once while the window is open; an unreadable file is told.
    const CategoryTree& tree();
    // A click on a node of the tree.
    void pick(const QString& nodeText);
    // Whether the node picked last is a category, which a double click chooses.
    bool picked() const;
    // The window was closed: the file is read again next time.
    void close() { tree_.reset(); }

private:
    MasterSession& master_;
    QString categoryFile_;
    UserPort& port_;
    ViewRequests& requests_;
    std::optional<CategoryTree> tree_;
};

}  // namespace veskplan
