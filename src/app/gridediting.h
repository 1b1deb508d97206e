#pragma once

#include <QApplication>
#include <QTableView>

namespace veskplan {

// Whether a cell editor of the grid holds the keyboard focus: the user is typing into a cell.
inline bool isEditingCell(const QTableView* grid) {
    const QWidget* focus = QApplication::focusWidget();
    return grid && focus && focus != grid && grid->isAncestorOf(focus);
}

}  // namespace veskplan
