#include "app/categorywindow.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>

#include "app/apptexts.h"
#include "app/twips.h"
#include "controller/categorybrowser.h"

namespace veskplan {
namespace {

void addChildren(QTreeWidgetItem* parent, const CategoryNode& node) {
    for (const CategoryNode& child : node.children) {
        auto* item = new QTreeWidgetItem(parent, QStringList{child.text});
        item->setData(0, Qt::UserRole, child.key);
        addChildren(item, child);
    }
}

}  // namespace

CategoryWindow::CategoryWindow(CategoryBrowser& browser, QWidget* parent)
    : QDialog(parent), browser_(browser) {
    setObjectName(QStringLiteral("getCat"));
    setWindowTitle(texts::categoryCaption());
    setFixedSize(twips(5910), twips(7965));
    catTree_ = new QTreeWidget(this);
    catTree_->setObjectName(QStringLiteral("catTree"));
    catTree_->setAccessibleName(texts::categoryCaption());
    catTree_->setGeometry(twipsRect(120, 120, 5655, 7695));
    catTree_->setHeaderHidden(true);
    catTree_->setFrameShape(QFrame::Box);
    catTree_->setExpandsOnDoubleClick(true);
    connect(catTree_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { browser_.pick(item->text(0)); });
    connect(catTree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) {
            browser_.pick(item->text(0));
        }
    });
    connect(catTree_, &QTreeWidget::itemDoubleClicked, this, &CategoryWindow::choose);
    catTree_->installEventFilter(this);
    build();
}

void CategoryWindow::choose() {
    if (browser_.picked()) {
        hide();
        done(QDialog::Accepted);
    }
}

bool CategoryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == catTree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // As a double click: a section opens or closes, a category is chosen.
            if (QTreeWidgetItem* item = catTree_->currentItem(); item && !browser_.picked()) {
                item->setExpanded(!item->isExpanded());
            }
            choose();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CategoryWindow::build() {
    const CategoryTree& tree = browser_.tree();
    auto* root = new QTreeWidgetItem(catTree_, QStringList{tree.root.text});
    root->setData(0, Qt::UserRole, tree.root.key);
    addChildren(root, tree.root);
    // Opens with the root expanded and every section collapsed.
    root->setExpanded(true);
}

void CategoryWindow::closeEvent(QCloseEvent* event) {
    closedByCloseBox_ = true;
    browser_.close();
    QDialog::closeEvent(event);
}

}  // namespace veskplan
