#pragma once

#include <QDialog>

class QTreeWidget;

namespace veskplan {

class CategoryBrowser;

// The "Item Categories" window. Hidden, not destroyed, after a category is chosen, so the tree
// keeps its state; closing it through its close box ends it, and the next use builds it anew.
class CategoryWindow : public QDialog {
    Q_OBJECT

public:
    explicit CategoryWindow(CategoryBrowser& browser, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return catTree_; }
    bool closedByCloseBox() const { return closedByCloseBox_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    // A double click or Enter on a node: a category is chosen and the window goes.
    void choose();

    CategoryBrowser& browser_;
    QTreeWidget* catTree_ = nullptr;
    bool closedByCloseBox_ = false;
};

}  // namespace veskplan
