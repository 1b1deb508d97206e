#include "app/projectgridclipboard.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>
#include <algorithm>

#include "controller/projectediting.h"

namespace veskplan {

ProjectGridClipboard::ProjectGridClipboard(ProjectEditing& editing, QTableView& grid)
    : QObject(&grid), editing_(editing), grid_(grid) {
    const auto addKey = [this](QKeySequence::StandardKey key, void (ProjectGridClipboard::*run)()) {
        auto* action = new QAction(&grid_);
        action->setShortcuts(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        grid_.addAction(action);
        connect(action, &QAction::triggered, this, run);
    };
    addKey(QKeySequence::Copy, &ProjectGridClipboard::copyRows);
    addKey(QKeySequence::Paste, &ProjectGridClipboard::pasteQuantities);
}

void ProjectGridClipboard::copyRows() {
    QList<int> rows;
    for (const QModelIndex& cell : grid_.selectionModel()->selectedIndexes()) {
        rows.append(cell.row());
    }
    if (rows.isEmpty() && grid_.currentIndex().isValid()) {
        rows.append(grid_.currentIndex().row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // The rows as the grid shows them, each read from the store's row behind it.
    for (int& row : rows) {
        row = editing_.gridState().shown().storeRow(row);
    }
    if (!rows.isEmpty()) {
        QGuiApplication::clipboard()->setText(editing_.model().rowsAsText(rows));
    }
}

void ProjectGridClipboard::pasteQuantities() {
    editing_.pasteQuantities(QGuiApplication::clipboard()->text());
}

}  // namespace veskplan
