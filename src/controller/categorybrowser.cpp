#include "controller/categorybrowser.h"

#include "base/error.h"
#include "controller/userport.h"
#include "controller/viewrequests.h"
#include "master/mastersearch.h"
#include "master/mastersession.h"

namespace veskplan {

int CategoryBrowser::browse() {
    Q_EMIT requests_.categoryBrowserRequested();
    const int row = mastersearch::firstOfCategory(master_.list(), master_.chosenCat());
    master_.setChosenCat(QString());
    return row;
}

const CategoryTree& CategoryBrowser::tree() {
    if (!tree_) {
        try {
            tree_ = CategoryTree::read(categoryFile_);
        } catch (const Error& error) {
            tree_ = CategoryTree();
            port_.warn(error.message());
        }
    }
    return *tree_;
}

void CategoryBrowser::pick(const QString& nodeText) {
    master_.setChosenCat(nodeText);
}

bool CategoryBrowser::picked() const {
    return CategoryTree::isCategory(master_.chosenCat());
}

}  // namespace veskplan
